#pragma once
// A settings file against the camera: after every setting has been read from the camera, which
// settings of the file hold another value, which settings the file lacks, and which lines of the file
// name commands the camera's model lacks. The desktop tool shows the list in a window, the
// command-line tool prints it.

#include <optional>
#include <string>
#include <vector>

#include "settings/ReadAllSettings.h"
#include "settings/SettingsLines.h"

namespace vr::protocol {
class ParameterTable;
}

namespace vr::settings {

struct CameraModel;

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

// `read` is what the last reading of all settings queried, `table` holds what it read. Only the
// settings a settings file carries for this model and mode are compared; the model name ("MD00") is
// compared when the file has it. Rows in table order, then the lines the model lacks in file order.
std::vector<SettingDifference> CompareSettings(const std::vector<SettingsFileLine>& lines, const SettingsLines& reader,
                                               const protocol::ParameterTable& table,
                                               const std::vector<RowReadResult>& read, const CameraModel& model,
                                               bool factoryMode);

}  // namespace vr::settings
