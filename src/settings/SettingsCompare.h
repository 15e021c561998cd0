#pragma once
// A settings file against the camera: after every setting has been read from the camera, which
// settings of the file hold another value, which settings the file lacks, and which lines of the file
// name commands the camera's model lacks. The desktop tool shows the list in a window, the
// command-line tool prints it.

#include <optional>
#include <string>
#include <vector>

#include "camera/ReadAllSettings.h"
#include "settings/SettingsLines.h"

namespace vr::camera {
struct Services;
}
namespace vr::protocol {
class ParameterTable;
}

namespace vr::camera {
struct CameraModel;
}

namespace vr::settings {

struct SettingDifference {
    enum class Kind {
        Differs,     // both hold it, with different values
        FileLacks,   // the camera has it, the file has no line for it
        ModelLacks,  // the file has it, the camera's model has no such command
        NoAnswer,    // the camera did not answer when it was read
    };
    Kind kind = Kind::Differs;
    std::string name;     // the command's mnemonic
    std::string caption;  // where it stands on the pages: "Group / Label"
    std::optional<std::string> fileValue;
    std::optional<std::string> cameraValue;
    bool isText = false;  // the model name, a text; every other value is an integer
};

// A setting of the file that reading all settings does not query, as the camera answered it.
struct UnreadSetting {
    uint32_t cmdId = 0;
    uint32_t ctrlId = 0;
    bool answered = false;
    int32_t value = 0;
};

// Queries, once each and in file order, the settings of the file that loading it would send but
// that `read` did not query: the chromatic aberration mode ("CACM") and the chromatic aberration
// lines (each by its own command). Actions ("CACS") are no settings and are not asked.
std::vector<UnreadSetting> ReadUnreadSettings(camera::Services& services, const std::vector<SettingsFileLine>& lines,
                                              const SettingsLines& reader,
                                              const std::vector<camera::RowReadResult>& read, uint32_t modelKind,
                                              bool factoryMode);

// `read` is what the last reading of all settings queried, `table` holds what it read; `unread` what
// ReadUnreadSettings asked besides. Every setting a settings file carries for this model and mode is
// compared; the model name ("MD00") is compared when the file has it. Rows in table order, then the
// settings only the file brought up, then the lines the model lacks in file order.
std::vector<SettingDifference> CompareSettings(const std::vector<SettingsFileLine>& lines, const SettingsLines& reader,
                                               const protocol::ParameterTable& table,
                                               const std::vector<camera::RowReadResult>& read,
                                               const std::vector<UnreadSetting>& unread,
                                               const camera::CameraModel& model, bool factoryMode);

}  // namespace vr::settings
