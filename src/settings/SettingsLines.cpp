#include "settings/SettingsLines.h"

#include <cctype>
#include <string_view>

#include "camera/ModelCommands.h"
#include "platform/SilentPlatform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/Numbers.h"
#include "protocol/ParameterTable.h"

namespace vr::settings {
namespace {

// The engine's parser reads "GA=" or "GA=x" as 0; a file line without a number sends nothing.
bool StartsWithNumber(const std::string& text) {
    auto digit = [&](size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    if (text.size() >= 2 && text[0] == '&' && text[1] == 'H') return true;  // the parser checked the digits
    const size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return digit(first);
}

}  // namespace

SettingsLines::SettingsLines()
    : silent_(std::make_unique<platform::SilentPlatform>()),
      rows_(std::make_unique<protocol::ParameterTable>(*silent_)) {}

SettingsLines::~SettingsLines() = default;

std::vector<SettingsFileLine> SettingsLines::Split(const std::string& content) {
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::vector<SettingsFileLine> lines;
    size_t start = content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        size_t next = content.size();
        if (end == std::string::npos)
            end = content.size();
        else
            next = content.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        SettingsFileLine line;
        line.number = static_cast<int>(lines.size()) + 1;
        line.text = content.substr(start, end - start);
        line.overlong = line.text.size() > kMaxSettingsLineChars;
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

bool SettingsLines::Readable(const SettingsFileLine& line) const {
    for (const uint32_t model : {camera::kModelKA, camera::kModelKB})
        if (Interpret(line, true, model).use != LineUse::Ignored) return true;
    return false;
}

LineMeaning SettingsLines::Interpret(const SettingsFileLine& line, bool factoryMode, uint32_t modelKind) const {
    LineMeaning m;
    if (line.overlong) return m;
    const protocol::ParsedReply r = protocol::Command::ParseReply(line.text);
    // The empty name would find the command table's unnamed entry.
    if (r.failed || r.name.empty() || r.separator != "=" || r.commandId < 0) return m;
    m.cmdId = static_cast<uint32_t>(r.commandId);
    if (m.cmdId == protocol::cmd::MD00) {
        // Blanks go as on every line of the file; a reply's text keeps its inner blanks, but that is
        // the engine's reading of the camera, not of a file.
        m.use = LineUse::ModelName;
        m.text = r.raw.substr(r.raw.find('=') + 1);
        m.text = m.text.substr(0, m.text.find(','));
        return m;
    }
    if (r.value.kind != protocol::ValueKind::Integer || !StartsWithNumber(r.valueText)) return m;
    if (!protocol::LeadingNumberFits(r.valueText)) {
        m.use = LineUse::TooLarge;
        return m;
    }
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
