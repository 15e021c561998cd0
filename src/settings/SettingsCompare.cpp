#include "settings/SettingsCompare.h"

#include <chrono>
#include <map>
#include <set>

#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::settings {
namespace {

std::string Caption(const protocol::ParameterDef& def) {
    const std::string group = def.group;
    return group.empty() ? std::string(def.label) : group + " / " + def.label;
}

const protocol::ParameterDef* DefOf(const protocol::ParameterTable& table, uint32_t ctrlId) {
    const int32_t index = table.CtrlId2TblIndex(ctrlId);
    return index < 0 ? nullptr : table.Row(static_cast<size_t>(index)).def;
}

constexpr std::chrono::milliseconds kQueryTimeout{5000};

}  // namespace

std::vector<UnreadSetting> ReadUnreadSettings(camera::Services& services, const std::vector<SettingsFileLine>& lines,
                                              const SettingsLines& reader,
                                              const std::vector<camera::RowReadResult>& read, uint32_t modelKind,
                                              bool factoryMode) {
    std::set<uint32_t> asked;
    for (const camera::RowReadResult& r : read) asked.insert(services.table.Row(r.row).def->cmdId);
    std::vector<UnreadSetting> unread;
    for (const SettingsFileLine& line : lines) {
        const LineMeaning m = reader.Interpret(line, factoryMode, modelKind);
        if (m.use != LineUse::Setting || !asked.insert(m.cmdId).second) continue;
        const protocol::ParameterDef* def = DefOf(reader.Rows(), m.ctrlId);
        if (def == nullptr || def->controlKind == protocol::ControlKind::Button) continue;
        UnreadSetting u{m.cmdId, m.ctrlId, false, 0};
        u.answered = services.engine.QueryInt(m.cmdId, u.value, kQueryTimeout) == 1;
        unread.push_back(u);
        // A line that went away answers nothing more.
        if (services.engine.LinkLost()) break;
    }
    return unread;
}

std::vector<SettingDifference> CompareSettings(const std::vector<SettingsFileLine>& lines, const SettingsLines& reader,
                                               const protocol::ParameterTable& table,
                                               const std::vector<camera::RowReadResult>& read,
                                               const std::vector<UnreadSetting>& unread,
                                               const camera::CameraModel& model, bool factoryMode) {
    // What loading the file would send, by command; a later line of the same command wins, as it
    // would when loading.
    std::map<uint32_t, int32_t> fileValues;
    std::map<uint32_t, size_t> lackedIndex;
    std::vector<LineMeaning> lacked;
    std::optional<std::string> fileModel;
    for (const SettingsFileLine& line : lines) {
        LineMeaning m = reader.Interpret(line, factoryMode, model.kind);
        switch (m.use) {
            case LineUse::ModelName:
                fileModel = m.text;
                break;
            case LineUse::Setting:
                fileValues[m.cmdId] = m.value;
                break;
            case LineUse::NotOnModel: {
                const auto [it, added] = lackedIndex.emplace(m.cmdId, lacked.size());
                if (added)
                    lacked.push_back(std::move(m));
                else
                    lacked[it->second] = std::move(m);
                break;
            }
            default:
                break;
        }
    }

    std::vector<SettingDifference> differences;
    if (fileModel && *fileModel != model.name)
        differences.push_back({SettingDifference::Kind::Differs, "MD00", "Camera model", *fileModel, model.name, true});

    for (const camera::RowReadResult& r : read) {
        const protocol::ParameterEntry& row = table.Row(r.row);
        const protocol::ParameterDef& def = *row.def;
        const std::string name = protocol::GetCommandName(def.cmdId);
        if (!def.inSettingsFile || name.empty()) continue;
        SettingDifference d;
        d.name = name;
        d.caption = Caption(def);
        const auto inFile = fileValues.find(def.cmdId);
        if (inFile != fileValues.end()) d.fileValue = std::to_string(inFile->second);
        if (!r.answered) {
            d.kind = SettingDifference::Kind::NoAnswer;
        } else {
            d.cameraValue = std::to_string(row.value);
            if (!d.fileValue)
                d.kind = SettingDifference::Kind::FileLacks;
            else if (inFile->second != row.value)
                d.kind = SettingDifference::Kind::Differs;
            else
                continue;
        }
        differences.push_back(std::move(d));
    }

    for (const UnreadSetting& u : unread) {
        const auto inFile = fileValues.find(u.cmdId);
        if (inFile == fileValues.end()) continue;
        if (u.answered && u.value == inFile->second) continue;
        const protocol::ParameterDef* def = DefOf(reader.Rows(), u.ctrlId);
        SettingDifference d;
        d.kind = u.answered ? SettingDifference::Kind::Differs : SettingDifference::Kind::NoAnswer;
        d.name = protocol::GetCommandName(u.cmdId);
        d.caption = def != nullptr ? Caption(*def) : std::string();
        d.fileValue = std::to_string(inFile->second);
        if (u.answered) d.cameraValue = std::to_string(u.value);
        differences.push_back(std::move(d));
    }

    for (const LineMeaning& m : lacked) {
        const protocol::ParameterDef* def = DefOf(reader.Rows(), m.ctrlId);
        differences.push_back({SettingDifference::Kind::ModelLacks, protocol::GetCommandName(m.cmdId),
                               def != nullptr ? Caption(*def) : std::string(), std::to_string(m.value), std::nullopt,
                               false});
    }
    return differences;
}

}  // namespace vr::settings
