#pragma once
// The camera settings file (".cam"): the writer of the tool's current values and the loader that
// sends a file's lines to the camera. The file is plain text, one "NAME=VALUE" line per parameter in
// parameter-table order, every line ending in CR LF, with no header. In factory mode an "All Data"
// file starts with "MD00=" and the camera's model name.

#include <string>
#include <vector>

#include "settings/SettingsLines.h"
#include "settings/SettingsScreen.h"

namespace vr::camera {
class CameraSession;
}

namespace vr::settings {

enum class SettingsVariant {
    AllData,       // every parameter the model has; the factory ones (and the model name) in factory mode
    ShippingData,  // the user parameters only
};

// A line the camera did not take.
struct RefusedLine {
    enum class Why {
        Refused,      // the camera answered with an error
        NoAnswer,     // the camera did not answer
        NotSendable,  // a model name holding a control character: never sent
        TooLarge      // a number beyond 32 bits: never sent as another number
    };
    int number = 0;
    std::string text;
    Why why = Why::Refused;
    std::string reply;  // the camera's error text, for Refused
};

struct SettingsLoad {
    bool opened = false;  // false: the file could not be read or holds no setting (the operator has been told)
    int lines = 0;        // lines in the file
    int done = 0;         // lines handled before the end, or before the operator stopped
    int sent = 0;         // lines sent to the camera
    std::vector<RefusedLine> refused;
    bool stopped = false;  // the operator stopped it
    bool lost = false;     // the line went away: nothing more could be sent
    bool silent = false;   // the camera stopped answering (camera::kMaxTimeoutsInARow lines in a row)
    bool Ended() const { return stopped || lost || silent; }
};

class SettingsFile {
public:
    static constexpr const char* kLoadingText = "Now, reading camera setting file.";
    static constexpr const char* kOpenErrorCaption = "File Open Error";

    // Values loaded are shown on `screen`, when there is one.
    explicit SettingsFile(camera::CameraSession& session, ISettingsScreen* screen = nullptr);

    // The text the writer writes. "All Data" in factory mode first asks the camera for its model.
    std::string Contents(SettingsVariant variant);
    // Writes Contents atomically: a failure leaves whatever file was there untouched and tells the
    // operator which file and why. True when the file was written; `lineCount` then holds its lines.
    bool Write(const std::string& path, SettingsVariant variant, int* lineCount = nullptr);

    // The file's lines; false, after telling the operator, when it cannot be read.
    bool ReadLines(const std::string& path, std::vector<SettingsFileLine>& lines);
    // Whether any line names a camera setting. A file without one (empty, binary, UTF-16) is no
    // settings file: loading it would send nothing and look like success.
    bool HoldsSettings(const std::vector<SettingsFileLine>& lines) const;
    void ShowNoSettings(const std::string& path);

    // Sends every setting of the file to the camera behind the progress window, stores each value in
    // the table whether or not the camera took it, and commits them all. Refused lines are listed in
    // the result, without a box each, for one report at the end; loading goes on after them. The operator may
    // stop it between two lines; a lost line ends it, and so do camera::kMaxTimeoutsInARow lines in a row
    // without an answer (a camera that is gone would cost a time-out on every line).
    SettingsLoad Load(const std::string& path);
    // The same with the file's lines read already (by ReadLines): the file is not read again.
    SettingsLoad Load(const std::string& path, const std::vector<SettingsFileLine>& lines);

    const SettingsLines& Reader() const { return lines_; }

private:
    // Sends the line when it is a setting; false when it was sent and the camera did not answer.
    bool LoadLine(const SettingsFileLine& line, SettingsLoad& result);
    void ShowOpenError(const std::string& path, const std::string& reason);

    camera::CameraSession& session_;
    ISettingsScreen* screen_;
    SettingsLines lines_;
};

}  // namespace vr::settings
