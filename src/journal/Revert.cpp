#include "journal/Revert.h"

#include <charconv>

#include "camera/CameraSession.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::journal {

std::vector<std::string> LastReadValues(camera::CameraSession& session) {
    const protocol::ParameterTable& table = session.Services().table;
    std::vector<std::string> values;
    for (const camera::RowReadResult& row : session.LastRead().rows)
        if (row.answered)
            values.push_back(protocol::GetCommandName(table.Row(row.row).def->cmdId) + "=" +
                             std::to_string(table.Row(row.row).value));
    return values;
}

std::vector<std::string> SettableValues(const protocol::ParameterTable& table, const std::vector<std::string>& values,
                                        bool factory) {
    std::vector<std::string> out;
    for (const std::string& line : values) {
        const int32_t cmdId = protocol::FindCommand(line.substr(0, line.find('=')));
        if (cmdId < 0) continue;
        const int32_t ctrlId = table.ToCtrlId(static_cast<uint32_t>(cmdId));
        if (ctrlId < 0 || !table.IsInSettingsFile(static_cast<uint32_t>(ctrlId))) continue;
        if (!factory && table.IsFactoryParam(static_cast<uint32_t>(ctrlId))) continue;
        out.push_back(line);
    }
    return out;
}

std::vector<Difference> RevertChanges(camera::CameraSession& session, const std::vector<std::string>& snapshot,
                                      const std::vector<std::string>& now) {
    const std::vector<std::string> wanted = SettableValues(session.Services().table, snapshot, session.FactoryMode());
    std::vector<Difference> changes;
    for (const Difference& d : Compare(wanted, now)) {
        if (!d.a || !d.b) continue;
        const int32_t cmdId = protocol::FindCommand(d.name);
        if (cmdId >= 0 && session.HasCommand(static_cast<uint32_t>(cmdId))) changes.push_back(d);
    }
    return changes;
}

bool ApplyRevert(camera::CameraSession& session, const std::vector<Difference>& changes) {
    protocol::ParameterTable& table = session.Services().table;
    for (const Difference& d : changes) {
        int32_t value = 0;
        const std::string& text = *d.a;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) continue;
        const int32_t ctrlId = table.ToCtrlId(static_cast<uint32_t>(protocol::FindCommand(d.name)));
        if (ctrlId >= 0) table.SetDataValue(static_cast<uint32_t>(ctrlId), value);
    }
    const bool all = session.WriteChangedValues();
    table.CommitDataValues();
    return all;
}

}  // namespace vr::journal
