#pragma once
// How the tool reads a camera settings file (".cam"): the file's lines, and what each line asks of
// the camera. The loader and the comparison with a file read lines the same way.
//
// A line ends with LF, CR LF or a lone CR (a file from an old Mac is lines too, never one line whose
// CRs the blank removal below would delete, gluing "MD00=VR-8200-KA" to the settings after it); a
// UTF-8 byte-order mark before the first line is no part of it. A line is "NAME=VALUE": blanks, CR
// and LF anywhere are dropped, the value ends at a comma, an integer is decimal or "&H" and
// hexadecimal digits. Names match the command table exactly (case included). Anything else (blank
// lines, comments, other names) is no setting and is passed over. A number beyond 32 bits is never
// cut to another one: its line is reported and not sent.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vr::platform {
class IPlatform;
}
namespace vr::protocol {
class ParameterTable;
}

namespace vr::settings {

// The loader reads a line into a buffer of this many characters. A longer line is one bad line: it
// is passed over whole, never split into a line and a surplus that would be read as a second one.
inline constexpr size_t kMaxSettingsLineChars = 255;

struct SettingsFileLine {
    int number = 0;    // 1 for the first line
    std::string text;  // without its LF and a CR before it
    bool overlong = false;
};

enum class LineUse {
    Ignored,      // no setting: blank, comment, unknown or unbound name, no number, overlong
    ModelName,    // "MD00": writes the camera's model name
    Setting,      // a parameter to send
    FactoryOnly,  // a factory parameter, outside factory mode
    NotInFile,    // a parameter that settings files do not carry
    NotOnModel,   // a command the camera model lacks
    TooLarge,     // a number beyond 32 bits: reported, never sent
};

struct LineMeaning {
    LineUse use = LineUse::Ignored;
    uint32_t cmdId = 0;
    uint32_t ctrlId = 0;  // the control bound to the command; 0 for Ignored and ModelName
    int32_t value = 0;
    std::string text;  // the name of a ModelName line
};

class SettingsLines {
public:
    SettingsLines();
    ~SettingsLines();
    SettingsLines(const SettingsLines&) = delete;
    SettingsLines& operator=(const SettingsLines&) = delete;

    // The lines of a file's contents, split at LF, CR LF or a lone CR; a last line without a line
    // end counts too.
    static std::vector<SettingsFileLine> Split(const std::string& content);
    // True when the line names one of the camera's commands with a value, for any model or mode:
    // a file with no such line (empty, binary, UTF-16) is no settings file.
    bool Readable(const SettingsFileLine& line) const;

    // What the line asks for a camera of `modelKind` in the given control mode. Looking a name up
    // never tells the operator anything: lines the tool does not know are passed over quietly.
    LineMeaning Interpret(const SettingsFileLine& line, bool factoryMode, uint32_t modelKind) const;

    // The parameter table's constant rows, for lookups that must stay quiet.
    const protocol::ParameterTable& Rows() const { return *rows_; }

private:
    std::unique_ptr<platform::IPlatform> silent_;
    std::unique_ptr<protocol::ParameterTable> rows_;
};

}  // namespace vr::settings
