// The identity subcommands: info, set-user-id, set-camera-id and set-device-version. They run the
// same rules as the desktop tool's device information dialog and ID editors; what those would show
// in a box goes to stderr as "CAPTION: TEXT".

#include <cstdio>
#include <string>
#include <vector>

#include "CommandList.h"
#include "Output.h"
#include "Session.h"
#include "identity/CameraId.h"
#include "identity/DeviceInfo.h"
#include "identity/TextLimits.h"
#include "identity/UserId.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/TextValue.h"

namespace vr::cli {
namespace {

// A write the camera did not take: besides the dialog's own message, one line saying what came back.
int WriteFailed(Session& session) {
    const std::string text = session.Services().engine.LastFailure().Describe();
    if (!text.empty()) PrintError(text);
    return kExitCameraRefused;
}

// A usage error shown as the desktop tool would show it, in a box of the tool's own.
int RefuseText(Session& session, const char* text) {
    session.Services().platform.MessageBox(text, platform::kAppTitle, platform::MsgIcon::Error);
    return kExitUsage;
}

bool NeedsFactory(Session& session, const char* command) {
    if (session.Opts().factory) return true;
    std::fprintf(stderr, "vr8200ctl: %s writes production data and needs --factory\n", command);
    return false;
}

int RunInfo(Session& session) {
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    std::vector<std::string> failures;
    const identity::DeviceIdentity id = identity::DeviceInfo(session.Services()).Read(&failures);
    for (const std::string& failure : failures) PrintError(protocol::Command::Printable(failure));
    std::vector<OutputValue> values;
    const auto add = [&values](const char* name, const std::optional<std::string>& text) {
        if (text) values.push_back({name, *text, true});
    };
    add("model", id.model);
    add("firmware", id.firmware);
    add("fpga", id.fpga);
    add("camera_id", id.cameraId);
    add("user_id", id.userId);
    add("device_version", id.deviceVersion);
    Print(FormatValues(values, session.Opts().json));
    // Without the firmware version nothing else was asked; a field missing besides is only left out.
    return id.firmware ? kExitOk : kExitCameraRefused;
}

// A record the camera keeps of itself was written (or not): whoever follows the session hears of it.
int Written(Session& session, uint32_t cmdId, const std::string& text, bool ok) {
    session.Camera().TellTextWritten({cmdId, text, ok});
    return ok ? kExitOk : WriteFailed(session);
}

int RunSetUserId(Session& session) {
    const std::string& text = session.Opts().args.front();
    if (const auto verdict = identity::UserId::Check(text); verdict != identity::UserId::Verdict::Ok)
        return RefuseText(session, identity::UserId::VerdictText(verdict));
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    return Written(session, protocol::cmd::UD, text, identity::UserId(session.Services()).Save(text) == 1);
}

int RunSetCameraId(Session& session) {
    if (!NeedsFactory(session, "set-camera-id")) return kExitUsage;
    const std::string& id = session.Opts().args.front();
    if (const std::string problem = identity::TextLimitProblem(protocol::cmd::ID00, id); !problem.empty()) {
        PrintError(problem);
        return kExitUsage;
    }
    if (!protocol::IsSendableText(id)) return RefuseText(session, identity::CameraId::kNotSendableText);
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    return Written(session, protocol::cmd::ID00, id, identity::CameraId(session.Services()).Save(id) == 1);
}

int RunSetDeviceVersion(Session& session) {
    if (!NeedsFactory(session, "set-device-version")) return kExitUsage;
    const std::string& text = session.Opts().args.front();
    if (const std::string problem = identity::TextLimitProblem(protocol::cmd::DV00, text); !problem.empty()) {
        std::fprintf(stderr, "vr8200ctl: %s, not \"%s\"\n", problem.c_str(),
                     protocol::Command::Printable(text).c_str());
        return kExitUsage;
    }
    if (!protocol::IsSendableText(text)) return RefuseText(session, identity::DeviceInfo::kNotSendableText);
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    return Written(session, protocol::cmd::DV00, text,
                   identity::DeviceInfo(session.Services()).WriteDeviceVersion(text) == 1);
}

void OneText(CLI::App& sub, Options& o, const char* name, const char* description) {
    sub.add_option(name, o.args, description)->required()->expected(1);
}

}  // namespace

void AddIdentityCommands(CommandList& commands) {
    commands.push_back({"info",
                        "connect, then ask the camera who it is; prints model=, firmware=, fpga=, camera_id=, "
                        "user_id=, device_version= (a field the camera did not give is left out)",
                        nullptr, RunInfo});
    commands.push_back({"set-user-id", "connect, then write the user ID (at most 64 bytes, no comma; may be empty)",
                        [](CLI::App& sub, Options& o) { OneText(sub, o, "TEXT", "the new user ID"); }, RunSetUserId});
    commands.push_back(
        {"set-camera-id", "with --factory: connect, unlock the camera ID and write it (1 to 10 characters)",
         [](CLI::App& sub, Options& o) { OneText(sub, o, "TEXT", "the new camera ID"); }, RunSetCameraId});
    commands.push_back(
        {"set-device-version", "with --factory: connect, then write the device version A.B.C.D",
         [](CLI::App& sub, Options& o) { OneText(sub, o, "A.B.C.D", "four fields of one character each"); },
         RunSetDeviceVersion});
}

}  // namespace vr::cli
