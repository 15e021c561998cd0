#include "fleet/CameraJob.h"

#include <algorithm>

#include "camera/CameraSession.h"
#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "fleet/CameraPlatform.h"
#include "identity/DeviceInfo.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"

namespace vr::fleet {
namespace {

constexpr std::chrono::milliseconds kIdTimeout{5000};

// The setting a file line names, as the loader reads it; none for a line that sets nothing.
std::string LineName(const std::string& text) {
    const protocol::ParsedReply r = protocol::Command::ParseReply(text);
    return r.separator == "=" ? r.name : std::string();
}

std::string Plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

CameraJob::CameraJob(camera::CameraSession& session, CameraPlatform& platform, const CameraEntry& entry,
                     const FleetRequest& request)
    : session_(session), platform_(platform), entry_(entry), request_(request) {
    report_.name = entry.name;
    report_.link = entry.LinkText();
}

CameraReport CameraJob::Run() {
    std::vector<settings::SettingsFileLine> lines;
    // A file that cannot be read costs no camera any time.
    if (ReadFileFirst(lines) && !Stopped("before the start-up") && StartUp()) {
        CheckId();
        if (!Stopped("after the start-up")) {
            switch (request_.operation) {
                case Operation::Connect:
                    Connect();
                    break;
                case Operation::Info:
                    Info();
                    break;
                case Operation::Dump:
                    Dump();
                    break;
                case Operation::Check:
                    Check(lines);
                    break;
                case Operation::Apply:
                    Apply(lines);
                    break;
                case Operation::Snapshot:
                    Snapshot();
                    break;
                case Operation::Overview:
                    if (lines.empty())
                        Connect();
                    else
                        Check(lines);
                    break;
            }
        }
    }
    report_.messages = platform_.Messages();
    return report_;
}

void CameraJob::Fail(int status, const std::string& result) {
    // A stop outranks what it cut short; otherwise the first failure names the row.
    if (status > report_.status || report_.result.empty()) report_.result = result;
    report_.status = std::max(report_.status, status);
}

bool CameraJob::Stopped(const std::string& where) {
    if (!platform_.ProgressPoll()) return false;
    Fail(kStopped, "stopped " + where);
    return true;
}

bool CameraJob::ReadFileFirst(std::vector<settings::SettingsFileLine>& lines) {
    if (request_.operation != Operation::Check && request_.operation != Operation::Apply &&
        request_.operation != Operation::Overview)
        return true;
    report_.file = request_.file.empty() ? entry_.golden : request_.file;
    // The overview compares only where there is something to compare with.
    if (request_.operation == Operation::Overview && report_.file.empty()) return true;
    if (report_.file.empty()) {
        Fail(kFileFailed, "no golden file for this position");
        return false;
    }
    settings::SettingsFile file(session_);
    if (!file.ReadLines(report_.file, lines)) {
        Fail(kFileFailed, "cannot read " + report_.file);
        return false;
    }
    if (!file.HoldsSettings(lines)) {
        Fail(kFileFailed, report_.file + " holds no settings");
        return false;
    }
    return true;
}

bool CameraJob::StartUp() {
    session_.SetFactoryMode(request_.factory);
    link::CCommSetting& link = session_.Services().link;
    if (session_.Connect() != 1) {
        if (!session_.PortOpened()) {
            const std::string why = link.LastLinkError();
            Fail(kNoCamera, "cannot open " + entry_.LinkText() + (why.empty() ? "" : ": " + why));
        } else {
            Fail(kNoCamera, "no camera answered");
        }
        return false;
    }
    report_.online = true;
    report_.model = session_.Model().name;
    if (session_.AreaKnown()) report_.area = session_.CurrentArea();
    if (session_.RaiseLine() != 1)
        report_.messages.push_back("the line stays at " + std::to_string(link.GetBaudRate()));
    report_.rate = link.GetBaudRate();
    if (!link.IsOpen() || link.Lost()) {
        report_.online = false;
        Fail(kCameraFailed, "the line went away during the start-up");
        return false;
    }
    return true;
}

void CameraJob::CheckId() {
    std::string id;
    if (session_.Services().engine.QueryString(protocol::cmd::ID, id, kIdTimeout) == 1) report_.cameraId = id;
    if (!entry_.cameraId || report_.cameraId == *entry_.cameraId) return;
    report_.idMismatch = true;
    const std::string text =
        (report_.cameraId.empty() ? std::string("no camera ID") : "camera ID " + report_.cameraId) + ", expected " +
        *entry_.cameraId;
    // With --force the operation decides the row; the mismatch still shows in it.
    if (request_.force)
        report_.messages.push_back(text);
    else
        Fail(kCameraFailed, text);
}

bool CameraJob::ReadSettings() {
    const camera::RowsRead& read = session_.ReadAllSettings();
    if (read.stopped) {
        Fail(kStopped, "stopped reading settings: " +
                           camera::LongOperation::StoppedText(static_cast<int>(read.rows.size()),
                                                              static_cast<int>(read.planned), "settings"));
        return false;
    }
    if (read.Ended()) {
        Fail(kCameraFailed, read.lost ? "the line went away while reading settings"
                                      : "the camera stopped answering while reading settings");
        return false;
    }
    if (session_.Model().kind == camera::kModelUnknown) {
        Fail(kCameraFailed, "the camera's model is not supported");
        return false;
    }
    const auto unanswered =
        std::count_if(read.rows.begin(), read.rows.end(), [](const auto& r) { return !r.answered; });
    if (unanswered > 0) {
        Fail(kCameraFailed, Plural(static_cast<size_t>(unanswered), "setting was", "settings were") + " not answered");
        return false;
    }
    return true;
}

void CameraJob::Connect() {
    if (report_.result.empty())
        report_.result = std::to_string(report_.rate) + " bit/s" +
                         (report_.area ? ", area " + std::to_string(*report_.area) : std::string());
}

void CameraJob::Info() {
    std::vector<std::string> failures;
    const identity::DeviceIdentity id = identity::DeviceInfo(session_.Services()).Read(&failures);
    const std::pair<const char*, const std::optional<std::string>*> fields[] = {
        {"model", &id.model},        {"firmware", &id.firmware}, {"fpga", &id.fpga},
        {"camera_id", &id.cameraId}, {"user_id", &id.userId},    {"device_version", &id.deviceVersion}};
    for (const auto& [key, value] : fields)
        if (*value) report_.values.push_back({key, **value});
    if (!id.firmware) {
        Fail(kCameraFailed, failures.empty() ? "no answer to VN" : failures.front());
        return;
    }
    if (report_.result.empty()) report_.result = "firmware " + *id.firmware;
}

void CameraJob::Dump() {
    if (!ReadSettings()) return;
    const protocol::ParameterTable& table = session_.Services().table;
    for (const auto& read : session_.LastRead().rows) {
        const auto& row = table.Row(read.row);
        report_.values.push_back({protocol::GetCommandName(row.def->cmdId), std::to_string(row.value)});
    }
    if (report_.result.empty()) report_.result = Plural(report_.values.size(), "setting", "settings");
}

void CameraJob::Check(const std::vector<settings::SettingsFileLine>& golden) {
    if (!ReadSettings()) return;
    settings::SettingsFile file(session_);
    camera::Services& services = session_.Services();
    const auto& rows = session_.LastRead().rows;
    const auto unread = settings::ReadUnreadSettings(services, golden, file.Reader(), rows, services.model.kind,
                                                     session_.FactoryMode());
    const auto all = settings::CompareSettings(golden, file.Reader(), services.table, rows, unread, services.model,
                                               session_.FactoryMode());
    for (const auto& d : all)
        if (request_.groups.Takes(d.name)) report_.differences.push_back({d.name, d.fileValue, d.cameraValue});
    if (report_.differences.empty()) {
        if (report_.result.empty()) report_.result = "matches golden";
        return;
    }
    Fail(kCameraFailed, Plural(report_.differences.size(), "difference", "differences"));
}

void CameraJob::Apply(const std::vector<settings::SettingsFileLine>& recipe) {
    if (report_.idMismatch && !request_.force) {
        report_.result += "; nothing was sent (--force sends anyway)";
        return;
    }
    std::vector<settings::SettingsFileLine> chosen;
    for (const auto& line : recipe)
        if (request_.groups.Takes(LineName(line.text))) chosen.push_back(line);
    settings::SettingsFile file(session_);
    const settings::SettingsLoad load = file.Load(report_.file, chosen);
    for (const auto& r : load.refused)
        report_.refused.push_back("line " + std::to_string(r.number) + ": " + protocol::Command::Printable(r.text) +
                                  (r.reply.empty() ? "" : " (" + protocol::Command::Printable(r.reply) + ")"));
    if (load.stopped) {
        Fail(kStopped, "stopped loading: " + camera::LongOperation::StoppedText(load.done, load.lines, "lines"));
        return;
    }
    if (load.lost || load.silent) {
        Fail(kCameraFailed, std::string(load.lost ? "the line went away" : "the camera stopped answering") + " after " +
                                Plural(static_cast<size_t>(load.done), "line", "lines"));
        return;
    }
    if (!load.refused.empty()) {
        Fail(kCameraFailed, Plural(load.refused.size(), "line", "lines") + " refused");
        return;
    }
    if (report_.result.empty())
        report_.result = Plural(static_cast<size_t>(load.sent), "setting", "settings") + " sent";
}

void CameraJob::Snapshot() {
    if (!ReadSettings()) return;
    report_.file = request_.folder + "/" + entry_.name + ".cam";
    int lines = 0;
    if (!settings::SettingsFile(session_).Write(report_.file, settings::SettingsVariant::AllData, &lines)) {
        Fail(kFileFailed, "cannot write " + report_.file);
        return;
    }
    if (report_.result.empty()) report_.result = Plural(static_cast<size_t>(lines), "line", "lines") + " saved";
}

}  // namespace vr::fleet
