#include "settings/SettingsFile.h"

#include <algorithm>
#include <chrono>

#include "app/FileIo.h"
#include "app/LongOperation.h"
#include "app/Platform.h"
#include "app/Services.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "protocol/TextValue.h"
#include "settings/ModelCommands.h"
#include "settings/ReadAllSettings.h"
#include "ui/main/ControlIds.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/EnablingRules.h"

namespace vr::settings {
namespace {

constexpr std::chrono::milliseconds kSetTimeout{5000};
// Writing the model name goes to the camera's non-volatile memory.
constexpr std::chrono::milliseconds kModelNameTimeout{10000};
constexpr const char* kLineEnd = "\r\n";

}  // namespace

SettingsFile::SettingsFile(app::Services& services, ui::CCtrlToolDlg& window) : services_(services), window_(window) {}

void SettingsFile::ShowOpenError(const std::string& path, const std::string& reason) {
    services_.platform.MessageBox(path + "\nCouldn't open this file" + (reason.empty() ? "" : "\n" + reason),
                                  kOpenErrorCaption, app::MsgIcon::Exclamation);
}

std::string SettingsFile::Contents(SettingsVariant variant) {
    const bool factoryMode = window_.FactoryMode();
    const bool withFactoryRows = variant == SettingsVariant::AllData && factoryMode;
    std::string text;
    if (withFactoryRows) {
        window_.ModelProbe();
        const CameraModel& model = services_.model;
        if (model.kind != kModelUnknown) text += "MD00=" + model.name + kLineEnd;
    }
    const protocol::ParameterTable& table = services_.table;
    for (size_t i = 0; i < table.Size(); ++i) {
        const protocol::ParameterEntry& row = table.Row(i);
        const protocol::ParameterDef& def = *row.def;
        if (!def.inSettingsFile) continue;
        const std::string name = protocol::GetCommandName(def.cmdId);
        if (name.empty() || !IsCommandOnModel(def.cmdId, services_.model.kind)) continue;
        if (def.area == protocol::ParamArea::Factory && !withFactoryRows) continue;
        text += name + "=" + std::to_string(row.value) + kLineEnd;
    }
    return text;
}

bool SettingsFile::Write(const std::string& path, SettingsVariant variant, int* lineCount) {
    // Refused before the camera is asked for its model: a read-only file, or a device where a file
    // was expected.
    std::string target, reason;
    if (app::CheckWriteTarget(path, target, reason) != app::WriteResult::Written) {
        ShowOpenError(path, reason);
        return false;
    }
    const std::string text = Contents(variant);
    if (app::WriteFileAtomically(path, text, reason) != app::WriteResult::Written) {
        ShowOpenError(path, reason);
        return false;
    }
    if (lineCount != nullptr) *lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return true;
}

bool SettingsFile::ReadLines(const std::string& path, std::vector<SettingsFileLine>& lines) {
    std::string content;
    std::string reason;
    if (!app::ReadWholeFile(path, content, reason)) {
        ShowOpenError(path, reason);
        return false;
    }
    lines = SettingsLines::Split(content);
    return true;
}

bool SettingsFile::HoldsSettings(const std::vector<SettingsFileLine>& lines) const {
    return std::any_of(lines.begin(), lines.end(), [this](const SettingsFileLine& l) { return lines_.Readable(l); });
}

void SettingsFile::ShowNoSettings(const std::string& path) {
    services_.platform.MessageBox(path + "\nThis file holds no camera setting (NAME=VALUE lines); nothing was sent.",
                                  kOpenErrorCaption, app::MsgIcon::Exclamation);
}

SettingsLoad SettingsFile::Load(const std::string& path) {
    SettingsLoad result;
    std::vector<SettingsFileLine> lines;
    if (!ReadLines(path, lines)) return result;
    if (!HoldsSettings(lines)) {
        ShowNoSettings(path);
        return result;
    }
    result.opened = true;
    result.lines = static_cast<int>(lines.size());
    app::LongOperation progress(services_.platform, services_.dialogs, kLoadingText);
    // Each refused line is kept in the result and reported once at the end, not in a box of its own.
    protocol::Command::Quiet quiet(services_.engine);
    int timeoutsInARow = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        progress.SetPercent(static_cast<int>(100 * i / lines.size()));
        if (!progress.Continue()) {
            result.stopped = true;
            break;
        }
        const bool answered = LoadLine(lines[i], result);
        ++result.done;
        if (services_.engine.LinkLost()) {
            result.lost = true;
            break;
        }
        timeoutsInARow = answered ? 0 : timeoutsInARow + 1;
        if (timeoutsInARow >= kMaxTimeoutsInARow) {
            result.silent = true;
            break;
        }
    }
    window_.ShowAllValues();
    services_.table.CommitDataValues();
    progress.Finish();
    window_.ApplyModelLayout();
    window_.ApplyModeEnabling();
    window_.UpdateLineRateDisplays();
    return result;
}

bool SettingsFile::LoadLine(const SettingsFileLine& line, SettingsLoad& result) {
    const LineMeaning m = lines_.Interpret(line, window_.FactoryMode(), services_.model.kind);
    protocol::Command& engine = services_.engine;
    // After a send that failed: the camera's refusal, or no answer at all.
    auto failed = [&] {
        const protocol::Failure& f = engine.LastFailure();
        // The operator stopped waiting for this line; the load stops with it, the line is no refusal.
        if (f.kind == protocol::FailureKind::Cancelled) return true;
        const bool refused = f.kind == protocol::FailureKind::Refused;
        result.refused.push_back({line.number, line.text,
                                  refused ? RefusedLine::Why::Refused : RefusedLine::Why::NoAnswer,
                                  refused ? f.received : std::string()});
        return refused;
    };
    switch (m.use) {
        case LineUse::Ignored:
            return true;
        case LineUse::TooLarge:
            result.refused.push_back({line.number, line.text, RefusedLine::Why::TooLarge, {}});
            return true;
        case LineUse::ModelName: {
            // A CR or LF in it would end the command early and send the rest as a command of its own.
            if (!protocol::IsSendableText(m.text)) {
                result.refused.push_back({line.number, line.text, RefusedLine::Why::NotSendable, {}});
                return true;
            }
            ++result.sent;
            const bool answered =
                engine.SendCommandString(protocol::cmd::MD00, m.text, kModelNameTimeout) == 1 || failed();
            // The lines after it are sent to the model the camera now says it is.
            window_.ModelProbe();
            return answered;
        }
        default:
            break;
    }
    if (m.ctrlId == ui::id::kCaMode) ui::EnableChromaticEditors(window_.Controls(), m.value >= 1 && m.value <= 3);
    if (m.use != LineUse::Setting) return true;
    ++result.sent;
    const int taken = engine.SendCommandInt(m.cmdId, m.value, kSetTimeout);
    // Kept even when refused: the file's value stays on screen until the operator reloads.
    services_.table.SetDataValue(m.ctrlId, m.value);
    return taken == 1 || failed();
}

}  // namespace vr::settings
