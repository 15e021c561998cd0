// The core subcommands: ports, connect, dump, get, set and send.

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "CommandList.h"
#include "Interrupt.h"
#include "NumberArgument.h"
#include "Output.h"
#include "Session.h"
#include "SetArgument.h"
#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "link/CommSetting.h"
#include "platform/Deadline.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/CommandTimeouts.h"
#include "protocol/FactoryCommands.h"
#include "protocol/LineAssembler.h"
#include "protocol/Numbers.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "protocol/TextValue.h"
#include "protocol/TrafficLog.h"

namespace vr::cli {
namespace {

constexpr protocol::milliseconds kCommandTimeout(5000);

// The command id of a mnemonic a script gave; -1 (with a message) when the camera has no such command.
std::string Printable(const std::string& text) {
    return protocol::Command::Printable(text);
}

int32_t LookUp(const std::string& name) {
    const int32_t id = name.empty() ? -1 : protocol::FindCommand(name);
    // Shown printable: a name from a script may hold bytes a terminal would act on.
    if (id < 0) std::fprintf(stderr, "vr8200ctl: unknown command \"%s\"\n", Printable(name).c_str());
    return id;
}

bool IsText(uint32_t cmdId) {
    return protocol::GetValueKind(cmdId) == protocol::ValueKind::Text;
}

// One line on stderr saying what the last command got back, when it failed.
void TellFailure(Session& session) {
    const std::string text = session.Services().engine.LastFailure().Describe();
    if (!text.empty()) PrintError(text);
}

int RunPorts(Session& session) {
    auto& setting = session.Services().link;
    const int count = setting.GetPortCount();
    // The Camera Link modes list only their library's ports; the serial devices belong to the other mode.
    const bool serial = setting.GetMode() == link::ComPort;
    for (int i = 0; i < count; ++i) {
        const std::string device = serial ? setting.GetPortDevice(i) : std::string();
        const std::string name = setting.GetPortName(i);
        Print(device.empty() || device == name ? name + "\n" : device + "\t" + name + "\n");
    }
    return kExitOk;
}

int RunConnect(Session& session) {
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    camera::Services& services = session.Services();
    std::vector<OutputValue> values = {{"model", services.model.name, true},
                                       {"rate", std::to_string(services.link.GetBaudRate()), false}};
    // The area only when the camera said it: a default would pass for the camera's.
    if (session.AreaAnswered()) values.push_back({"area", std::to_string(session.Camera().CurrentArea()), false});
    // A port server that named itself.
    if (services.link.GetMode() == link::Network && !services.link.NetworkDriver().Signature().empty())
        values.push_back({"server", services.link.NetworkDriver().Signature(), true});
    Print(FormatValues(values, session.Opts().json));
    // A raw bridge keeps the line where it is; --trace has said so among its notes already.
    if (services.link.GetMode() == link::Network && !services.link.NetworkDriver().Rfc2217() && !session.Opts().trace)
        std::fprintf(stderr, "vr8200ctl: %s is a raw bridge: the line stays at the bridge's rate and is never raised\n",
                     services.link.GetNetworkAddress().c_str());
    // The start-up finished only when every step of it was answered.
    if (services.engine.LinkLost()) {
        PrintError(services.link.LostReason());
        return kExitCameraRefused;
    }
    if (!session.AreaAnswered()) {
        PrintError("the camera did not answer EA? (the area in use)");
        return kExitCameraRefused;
    }
    if (!session.Raised()) {
        std::fprintf(stderr, "vr8200ctl: the camera did not take CBDRT=16; the line stays at %u bit/s\n",
                     services.link.GetBaudRate());
        return kExitCameraRefused;
    }
    return kExitOk;
}

int RunDump(Session& session) {
    if (int rc = session.ConnectOrFail(true); rc != kExitOk) return rc;
    if (session.TellUnsupportedModel()) return kExitCameraRefused;
    const auto& table = session.Services().table;
    std::vector<OutputValue> values;
    int unanswered = 0;
    for (const auto& read : session.Camera().LastRead().rows) {
        const auto& row = table.Row(read.row);
        if (!read.answered) {
            ++unanswered;
            continue;
        }
        values.push_back({protocol::GetCommandName(row.def->cmdId), std::to_string(row.value), false});
    }
    // What was read is printed also when the read ended early; the message of why has been shown.
    Print(FormatValues(values, session.Opts().json));
    if (session.Camera().LastRead().stopped) return kExitInterrupted;
    if (session.Camera().LastRead().Ended()) return kExitCameraRefused;
    if (unanswered > 0) {
        std::fprintf(stderr, "vr8200ctl: %d settings were not answered\n", unanswered);
        return kExitCameraRefused;
    }
    return kExitOk;
}

int RunGet(Session& session) {
    std::vector<uint32_t> ids;
    for (const auto& name : session.Opts().args) {
        const int32_t id = LookUp(name);
        if (id < 0) return kExitUsage;
        ids.push_back(static_cast<uint32_t>(id));
    }
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    std::vector<OutputValue> values;
    int rc = kExitOk;
    for (uint32_t id : ids) {
        protocol::CommandValue value;
        if (!session.Services().engine.QueryCommand(id, value, kCommandTimeout)) {
            TellFailure(session);
            rc = kExitCameraRefused;
            break;
        }
        const bool text = IsText(id);
        values.push_back({protocol::GetCommandName(id), text ? value.textValue : std::to_string(value.intValue), text});
    }
    Print(FormatValues(values, session.Opts().json));
    return rc;
}

// What a set did, told to whoever follows the camera. The value it replaced was never read here.
void TellSet(Session& session, const SetArgument& s, bool taken) {
    camera::CameraSession& camera = session.Camera();
    const std::string sent = protocol::GetCommandName(s.cmdId) + "=" + (s.isText ? s.text : std::to_string(s.number));
    if (!taken) {
        camera.TellRefused({s.cmdId, sent, session.Services().engine.LastFailure().Describe()});
    } else if (s.isText) {
        camera.TellTextWritten({s.cmdId, s.text, true});
    } else {
        const int32_t ctrlId = session.Services().table.ToCtrlId(s.cmdId);
        camera.TellValueChanged(
            {s.cmdId, ctrlId < 0 ? 0u : static_cast<uint32_t>(ctrlId), 0, static_cast<int32_t>(s.number), false});
    }
}

int RunSet(Session& session) {
    std::vector<SetArgument> sets;
    for (const auto& arg : session.Opts().args) {
        SetArgument set;
        std::string why;
        if (!ParseSetArgument(arg, session.Opts().factory, set, why)) {
            PrintError(why);
            return kExitUsage;
        }
        sets.push_back(set);
    }
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    auto& engine = session.Services().engine;
    for (size_t i = 0; i < sets.size(); ++i) {
        const SetArgument& s = sets[i];
        // A stop signal is taken between two sets, never while one waits for its answer.
        if (StopRequested()) {
            StopHonoured();
            session.Services().platform.MessageBox(
                camera::LongOperation::StoppedText(static_cast<int>(i), static_cast<int>(sets.size()), "sets"),
                platform::kAppTitle, platform::MsgIcon::Information);
            return kExitInterrupted;
        }
        const auto timeout = protocol::SetTimeout(s.cmdId);
        const int ok = s.isText ? engine.SendCommandString(s.cmdId, s.text, timeout)
                                : engine.SendCommandInt(s.cmdId, s.number, timeout);
        TellSet(session, s, ok == 1);
        if (ok != 1) {
            TellFailure(session);
            return kExitCameraRefused;
        }
        // The camera answered at the old rate and listens at the new one from now on: the sets after
        // it follow, and the next run probes there first.
        if (s.cmdId == protocol::cmd::CBDRT) {
            const auto code = std::find(std::begin(link::kCameraRateCodes), std::end(link::kCameraRateCodes), s.number);
            if (code == std::end(link::kCameraRateCodes)) continue;
            const uint32_t rate = link::kRates[code - std::begin(link::kCameraRateCodes)];
            if (session.Services().link.OpenBaud(rate) != 1) {
                std::fprintf(stderr, "vr8200ctl: the camera now runs at %u bit/s, but the line could not follow: %s\n",
                             rate, session.Services().link.LastLinkError().c_str());
                return kExitNoLink;
            }
        }
    }
    return kExitOk;
}

int RunSend(Session& session) {
    const std::string& text = session.Opts().args.front();
    if (!protocol::IsSendableText(text)) {
        std::fprintf(stderr, "vr8200ctl: send takes one line without control characters, not \"%s\"\n",
                     Printable(text).c_str());
        return kExitUsage;
    }
    // Raw, but not a way round the factory rule the other subcommands keep.
    if (const int32_t id = protocol::CommandSetByLine(text);
        id >= 0 && !session.Opts().factory && protocol::IsFactoryCommand(static_cast<uint32_t>(id))) {
        std::fprintf(stderr, "vr8200ctl: %s writes factory or production data and needs --factory; nothing was sent\n",
                     protocol::GetCommandName(static_cast<uint32_t>(id)).c_str());
        return kExitUsage;
    }
    if (!session.OpenLine()) {
        std::fprintf(stderr, "vr8200ctl: cannot open %s: %s\n", session.PortName().c_str(),
                     session.OpenFailure().c_str());
        return kExitNoLink;
    }
    auto& setting = session.Services().link;
    setting.Write(text + "\r\n");
    // Everything the camera says within the wait, line by line; a CR before the LF is dropped.
    const std::chrono::milliseconds wait(session.Opts().Number("wait", 1000));
    platform::Deadline deadline{wait};
    protocol::LineAssembler assembler(
        {protocol::LineAssembler::LineEnd::Lf, 1u << 20, protocol::LineAssembler::Overflow::Immediate, false});
    std::vector<std::string> lines;
    auto take = [&](const std::string& line) {
        session.Services().traffic.LogRx(Printable(line));
        lines.push_back(line);
        if (!session.Opts().json) Print(Printable(line) + "\n");
    };
    for (;;) {
        char byte = 0;
        if (setting.Read(&byte, 1, deadline.Remaining()) != 1) {
            if (deadline.Expired() || setting.Lost()) break;
            continue;
        }
        if (assembler.Feed(byte) == protocol::LineAssembler::Result::Line) take(assembler.Line());
    }
    // Bytes without a line end at the end of the wait are shown too: they are what came.
    if (!assembler.Partial().empty()) take(assembler.Partial());
    if (session.Opts().json) {
        Json out = Json::array();
        for (const std::string& line : lines) out.push_back(JsonText(line));
        Print(DumpJson(out) + "\n");
    }
    if (setting.Lost()) {
        PrintError(setting.LostReason());
        return kExitCameraRefused;
    }
    if (lines.empty()) {
        std::fprintf(stderr, "vr8200ctl: no reply to %s within %lld ms\n", Printable(text).c_str(),
                     static_cast<long long>(wait.count()));
        return kExitCameraRefused;
    }
    return kExitOk;
}

}  // namespace

void AddCoreCommands(CommandList& commands) {
    commands.push_back({"ports", "list the ports of the communication mode, one per line", nullptr, RunPorts});
    commands.push_back(
        {"connect", "the connection sequence; prints model=NAME, rate=RATE, area=N", nullptr, RunConnect});
    commands.push_back(
        {"dump", "connect, then read all settings; prints NAME=VALUE in parameter-table order", nullptr, RunDump});
    commands.push_back(
        {"get", "connect, then query each command; prints NAME=VALUE",
         [](CLI::App& sub, Options& o) { sub.add_option("NAME", o.args, "command mnemonics")->required(); }, RunGet});
    commands.push_back(
        {"set", "connect, then send each set in order; stop at the first refusal",
         [](CLI::App& sub, Options& o) { sub.add_option("NAME=VALUE", o.args, "sets to send")->required(); }, RunSet});
    commands.push_back({"send",
                        "write LINE with CR LF as it stands (raw: no start-up sequence, no check of names or values; "
                        "a factory command needs --factory); print the replies",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("LINE", o.args, "the line to send")->required()->expected(1);
                            AddNumber(sub, "--wait", "milliseconds to list received lines (default 1000)", o, "wait", 0,
                                      600000);
                        },
                        RunSend});
}

}  // namespace vr::cli
