#pragma once
// The LUT and shading tables between the camera and csv files: the LUT menu's "&Open LUT file",
// "&Save LUT file" and "&Load all LUT table", and the "Correction Data" buttons of page "User B"
// ("Read ( camera -> file )", "Write ( file -> camera )", "Store in flash memory"). It works on the
// LUT editors' tables and on a shading buffer of its own, which starts at zero and keeps what the
// last shading read from the camera or from a file brought.
//
// The handlers ask for files with the platform's file dialogs; the steps below them take a file
// name, so the command-line tool runs the same steps on the names it was given. Every step tells the
// operator what went wrong itself and returns how it ended.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "camera/SessionListener.h"
#include "lut/LutTables.h"
#include "lut/LutTransfer.h"
#include "lut/ShadingBuffer.h"
#include "platform/Platform.h"

namespace vr::camera {
class CameraSession;
struct Services;
}  // namespace vr::camera

namespace vr::lut {

enum class TableFileOutcome {
    Done,
    Declined,      // the operator said No, or cancelled a dialog
    FileFailed,    // a file could not be read, parsed or written
    CameraFailed,  // the camera refused or did not answer, or its shading mode is off
    Stopped,       // the operator stopped a transfer
};

// What the table files show of themselves in the main window; either may be empty.
struct TableFilesWindow {
    std::function<void()> activate;                          // brings the window to the front after a file dialog
    std::function<void(const std::string&)> showStatusText;  // what was written where, in the status bar
};

class TableFiles {
public:
    static constexpr uint32_t kOpenLutFileMenu = 30006;
    static constexpr uint32_t kSaveLutFileMenu = 30007;
    static constexpr uint32_t kLoadAllLutMenu = 30009;

    // The file dialogs' filters, in the platform's "description | pattern |" form.
    static constexpr const char* kOpenLutFilter = "Camera gamma data (*.csv) | *.csv ||";
    static constexpr const char* kSaveLutFilter = "Camera gamm data (*.csv) | *.csv";
    static constexpr const char* kShadingFilter = "Camera shading data (*.csv) | *.csv";

    TableFiles(camera::CameraSession& session, ILutTables& tables, TableFilesWindow window = {},
               const TransferTimeouts& timeouts = {});
    ~TableFiles();
    TableFiles(const TableFiles&) = delete;
    TableFiles& operator=(const TableFiles&) = delete;

    // The menu commands and buttons.
    void OpenLutFile();
    void SaveLutFile();
    void LoadAllLutTables();
    void ShadingToFile();
    void ShadingFromFile();
    void ShadingToFlash();

    // The steps. Gamma files and the LUT tables:
    TableFileOutcome ReadGammaFile(const std::string& path);
    TableFileOutcome WriteGammaFile(const std::string& path);
    TableFileOutcome ReadLutTables();
    TableFileOutcome WriteLutTables();
    // Shading: "SDM" must not read 0.
    TableFileOutcome CheckShadingMode();
    TableFileOutcome ReadShading();
    TableFileOutcome WriteShading();
    TableFileOutcome ReadShadingFile(const std::string& path);
    TableFileOutcome WriteShadingFile(const std::string& path);
    TableFileOutcome StoreShading();
    // Before a file is written: FileFailed (told) when it is something a write must not replace (a
    // device, a read-only file); Declined unless it is new or the operator agrees to replace it.
    TableFileOutcome ConfirmReplace(const std::string& path);
    // Before a file that does not give every entry is written to the camera.
    TableFileOutcome ConfirmShortFile(int entries, int total, bool shading);

    ShadingBuffer& Shading() { return *shading_; }
    // Data lines the last file read stored.
    int LastFileEntries() const { return lastFileEntries_; }
    // The system's reason for the last file that could not be read or written.
    const std::string& LastFileError() const { return lastFileError_; }
    const TransferReport& LastReport() const { return lastReport_; }

    // "A (*.csv) | *.csv ||" as description and pattern pairs.
    static std::vector<platform::FileFilter> SplitFilter(const std::string& text);
    // The path as the operator is shown it: absolute.
    static std::string FullPath(const std::string& path);
    void ShowStatusText(const std::string& text) const;

private:
    TableFileOutcome Tell(const std::string& text, platform::MsgIcon icon, TableFileOutcome outcome);
    TableFileOutcome CouldNotOpen(const std::string& path, const std::string& reason);
    // Tells the session what went to or came from the camera (`path`: the file the tables came from,
    // when they came from one), then the operator what went wrong.
    TableFileOutcome AfterTransfer(const TransferReport& report, camera::FileOperation operation,
                                   const std::string& path);
    bool LoadText(const std::string& path, std::string& text);
    std::string AskOpen(const char* filter);
    std::string AskSave(const char* filter);

    camera::CameraSession& session_;
    camera::Services& services_;
    ILutTables& tables_;
    TableFilesWindow window_;
    TransferTimeouts timeouts_;
    std::unique_ptr<ShadingBuffer> shading_;
    int lastFileEntries_ = 0;
    std::string lastFileError_;
    std::string lastFileRead_;
    TransferReport lastReport_;
};

}  // namespace vr::lut
