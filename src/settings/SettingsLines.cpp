#include "settings/SettingsLines.h"

#include <cctype>

#include "camera/ModelCommands.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::settings {
namespace {

// The lookups of the parameter table tell the operator about a command without a control; a file
// line naming one ("VN", "EA") is simply no setting, so the table used here reports to nobody.
class SilentPlatform final : public platform::IPlatform {
public:
    platform::MsgResult MessageBox(const std::string&, const std::string&, platform::MsgIcon,
                                   platform::MsgButtons) override {
        return platform::MsgResult::Ok;
    }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return {};
    }
    bool ShellOpen(const std::string&) override { return false; }
};

// The engine's parser reads "GA=" or "GA=x" as 0; a file line without a number sends nothing.
bool StartsWithNumber(const std::string& text) {
    auto digit = [&](size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    if (text.size() >= 2 && text[0] == '&' && text[1] == 'H') return true;  // the parser checked the digits
    const size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return digit(first);
}

}  // namespace

SettingsLines::SettingsLines()
    : silent_(std::make_unique<SilentPlatform>()), rows_(std::make_unique<protocol::ParameterTable>(*silent_)) {}

SettingsLines::~SettingsLines() = default;

std::vector<SettingsFileLine> SettingsLines::Split(const std::string& content) {
    std::vector<SettingsFileLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos) end = content.size();
        if (end > start && content[end - 1] == '\r') --end;
        SettingsFileLine line;
        line.number = static_cast<int>(lines.size()) + 1;
        line.text = content.substr(start, end - start);
        line.overlong = line.text.size() > kMaxSettingsLineChars;
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

LineMeaning SettingsLines::Interpret(const SettingsFileLine& line, bool factoryMode, uint32_t modelKind) const {
    LineMeaning m;
    if (line.overlong) return m;
    const protocol::ParsedReply r = protocol::Command::ParseReply(line.text);
    // The empty name would find the command table's unnamed entry.
    if (r.failed || r.name.empty() || r.separator != "=" || r.commandId < 0) return m;
    m.cmdId = static_cast<uint32_t>(r.commandId);
    if (m.cmdId == protocol::cmd::MD00) {
        m.use = LineUse::ModelName;
        m.text = r.value.textValue;
        return m;
    }
    if (r.value.kind != protocol::ValueKind::Integer || !StartsWithNumber(r.valueText)) return m;
    const int32_t ctrl = rows_->ToCtrlId(m.cmdId);
    if (ctrl < 0) return m;
    m.ctrlId = static_cast<uint32_t>(ctrl);
    m.value = r.value.intValue;
    if (rows_->IsFactoryParam(m.ctrlId) && !factoryMode)
        m.use = LineUse::FactoryOnly;
    else if (!rows_->IsInSettingsFile(m.ctrlId))
        m.use = LineUse::NotInFile;
    else if (!camera::IsCommandOnModel(m.cmdId, modelKind))
        m.use = LineUse::NotOnModel;
    else
        m.use = LineUse::Setting;
    return m;
}

}  // namespace vr::settings
