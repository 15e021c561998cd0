#include "settings/SettingsFile.h"

#include <algorithm>
#include <chrono>

#include "camera/CameraSession.h"
#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "camera/Services.h"
#include "platform/FileIo.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "protocol/TextValue.h"

namespace vr::settings {
namespace {

constexpr std::chrono::milliseconds kSetTimeout{5000};
// Writing the model name goes to the camera's non-volatile memory.
constexpr std::chrono::milliseconds kModelNameTimeout{10000};
constexpr const char* kLineEnd = "\r\n";

}  // namespace

SettingsFile::SettingsFile(camera::CameraSession& session, ISettingsScreen* screen)
    : session_(session), screen_(screen) {}

void SettingsFile::ShowOpenError(const std::string& path, const std::string& reason) {
    session_.Services().platform.MessageBox(path + "\nCouldn't open this file" + (reason.empty() ? "" : "\n" + reason),
                                            kOpenErrorCaption, platform::MsgIcon::Exclamation);
}

std::string SettingsFile::Contents(SettingsVariant variant) {
    camera::Services& services = session_.Services();
    const bool factoryMode = session_.FactoryMode();
    const bool withFactoryRows = variant == SettingsVariant::AllData && factoryMode;
    std::string text;
    if (withFactoryRows) {
        session_.ModelProbe();
        const camera::CameraModel& model = session_.Model();
        if (model.kind != camera::kModelUnknown) text += "MD00=" + model.name + kLineEnd;
    }
    const protocol::ParameterTable& table = services.table;
    for (size_t i = 0; i < table.Size(); ++i) {
        const protocol::ParameterEntry& row = table.Row(i);
        const protocol::ParameterDef& def = *row.def;
        if (!def.inSettingsFile) continue;
        const std::string name = protocol::GetCommandName(def.cmdId);
        if (name.empty() || !session_.HasCommand(def.cmdId)) continue;
        if (def.area == protocol::ParamArea::Factory && !withFactoryRows) continue;
        text += name + "=" + std::to_string(row.value) + kLineEnd;
    }
    return text;
}

bool SettingsFile::Write(const std::string& path, SettingsVariant variant, int* lineCount) {
    // Refused before the camera is asked for its model: a read-only file, or a device where a file
    // was expected.
    std::string target, reason;
    if (platform::CheckWriteTarget(path, target, reason) != platform::WriteResult::Written) {
        ShowOpenError(path, reason);
        return false;
    }
    const std::string text = Contents(variant);
    if (platform::WriteFileAtomically(path, text, reason) != platform::WriteResult::Written) {
        ShowOpenError(path, reason);
        session_.TellFile(camera::FileOperation::SettingsSaved, path, false, 0);
        return false;
    }
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (lineCount != nullptr) *lineCount = lines;
    session_.TellFile(camera::FileOperation::SettingsSaved, path, true, lines);
    return true;
}

bool SettingsFile::ReadLines(const std::string& path, std::vector<SettingsFileLine>& lines) {
    std::string content;
    std::string reason;
    if (!platform::ReadWholeFile(path, content, reason)) {
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
    session_.Services().platform.MessageBox(
        path + "\nThis file holds no camera setting (NAME=VALUE lines); nothing was sent.", kOpenErrorCaption,
        platform::MsgIcon::Exclamation);
}

SettingsLoad SettingsFile::Load(const std::string& path) {
    std::vector<SettingsFileLine> lines;
    if (!ReadLines(path, lines)) return {};
    return Load(path, lines);
}

SettingsLoad SettingsFile::Load(const std::string& path, const std::vector<SettingsFileLine>& lines) {
    camera::Services& services = session_.Services();
    SettingsLoad result;
    if (!HoldsSettings(lines)) {
        ShowNoSettings(path);
        return result;
    }
    result.opened = true;
    result.lines = static_cast<int>(lines.size());
    camera::LongOperation progress(services, kLoadingText);
    // Each refused line is kept in the result and reported once at the end, not in a box of its own.
    protocol::Command::Quiet quiet(services.engine);
    int timeoutsInARow = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        progress.SetPercent(static_cast<int>(100 * i / lines.size()));
        if (!progress.Continue()) {
            result.stopped = true;
            break;
        }
        const bool answered = LoadLine(lines[i], result);
        ++result.done;
        if (services.engine.LinkLost()) {
            result.lost = true;
            break;
        }
        timeoutsInARow = answered ? 0 : timeoutsInARow + 1;
        if (timeoutsInARow >= camera::kMaxTimeoutsInARow) {
            result.silent = true;
            break;
        }
    }
    if (screen_ != nullptr) screen_->ShowLoadedValues();
    services.table.CommitDataValues();
    progress.Finish();
    if (screen_ != nullptr) screen_->ShowLoadedLayout();
    session_.TellFile(camera::FileOperation::SettingsLoaded, path, result.refused.empty() && !result.Ended(),
                      result.sent);
    return result;
}

bool SettingsFile::LoadLine(const SettingsFileLine& line, SettingsLoad& result) {
    camera::Services& services = session_.Services();
    const LineMeaning m = lines_.Interpret(line, session_.FactoryMode(), session_.Model().kind);
    protocol::Command& engine = services.engine;
    // After a send that failed: the camera's refusal, or no answer at all.
    auto failed = [&] {
        const protocol::Failure& f = engine.LastFailure();
        // The operator stopped waiting for this line; the load stops with it, the line is no refusal.
        if (f.kind == protocol::FailureKind::Cancelled) return true;
        const bool refused = f.kind == protocol::FailureKind::Refused;
        session_.TellRefused({m.use == LineUse::ModelName ? protocol::cmd::MD00 : m.cmdId, line.text, f.Describe()});
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
            session_.ModelProbe();
            return answered;
        }
        default:
            break;
    }
    if (m.ctrlId == protocol::id::kCaMode && screen_ != nullptr)
        screen_->EnableChromaticEditors(m.value >= 1 && m.value <= 3);
    if (m.use != LineUse::Setting) return true;
    ++result.sent;
    const int taken = engine.SendCommandInt(m.cmdId, m.value, kSetTimeout);
    // Kept even when refused: the file's value stays on screen until the operator reloads.
    protocol::ParameterTable& table = services.table;
    const int32_t old = table.GetDataValue(m.ctrlId);
    table.SetDataValue(m.ctrlId, m.value);
    if (taken == 1) session_.TellValueChanged({m.cmdId, m.ctrlId, old, m.value});
    return taken == 1 || failed();
}

}  // namespace vr::settings
