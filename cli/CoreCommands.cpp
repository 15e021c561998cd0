// The core subcommands: ports, connect, dump, get, set and send.

#include <cstdio>
#include <string>
#include <vector>

#include "CommandList.h"
#include "Output.h"
#include "Session.h"
#include "app/Services.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/Deadline.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "protocol/TrafficLog.h"
#include "settings/ModelCommands.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::cli {
namespace {

constexpr protocol::milliseconds kCommandTimeout(5000);

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

// The command id of a mnemonic a script gave; -1 (with a message) when the camera has no such command.
int32_t LookUp(const std::string& name) {
    const int32_t id = name.empty() ? -1 : protocol::FindCommand(name);
    if (id < 0) std::fprintf(stderr, "vr8200ctl: unknown command \"%s\"\n", name.c_str());
    return id;
}

bool IsText(uint32_t cmdId) {
    return protocol::GetValueKind(cmdId) == protocol::ValueKind::Text;
}

int ConnectOrFail(Session& session, bool readAll) {
    if (session.Connect(readAll)) return kExitOk;
    std::fprintf(stderr, "vr8200ctl: no camera answered\n");
    return kExitNoLink;
}

int RunPorts(Session& session) {
    auto& setting = session.Services().link;
    const int count = setting.GetPortCount();
    for (int i = 0; i < count; ++i) {
        const std::string device = setting.GetPortDevice(i);
        const std::string name = setting.GetPortName(i);
        Print(device.empty() || device == name ? name + "\n" : device + "\t" + name + "\n");
    }
    return kExitOk;
}

int RunConnect(Session& session) {
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    auto& window = session.Window();
    const std::string model = session.Services().model.name;
    const std::string rate = std::to_string(session.Services().link.GetBaudRate());
    const std::string area = std::to_string(window.CurrentArea());
    Print(FormatValues({{"model", model, true}, {"rate", rate, false}, {"area", area, false}}, session.Opts().json));
    return kExitOk;
}

int RunDump(Session& session) {
    if (int rc = ConnectOrFail(session, true); rc != kExitOk) return rc;
    const auto& table = session.Services().table;
    std::vector<OutputValue> values;
    int unanswered = 0;
    for (const auto& read : session.Window().LastRead()) {
        const auto& row = table.Row(read.row);
        if (!read.answered) {
            ++unanswered;
            continue;
        }
        values.push_back({protocol::GetCommandName(row.def->cmdId), std::to_string(row.value), false});
    }
    Print(FormatValues(values, session.Opts().json));
    // The message of what was read and what not has been shown.
    if (session.Window().LastReadStopped()) return kExitInterrupted;
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
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    std::vector<OutputValue> values;
    int rc = kExitOk;
    for (uint32_t id : ids) {
        protocol::CommandValue value;
        if (!session.Services().engine.QueryCommand(id, value, kCommandTimeout)) {
            rc = kExitCameraRefused;
            break;
        }
        const bool text = IsText(id);
        values.push_back({protocol::GetCommandName(id), text ? value.textValue : std::to_string(value.intValue), text});
    }
    Print(FormatValues(values, session.Opts().json));
    return rc;
}

int RunSet(Session& session) {
    struct Set {
        uint32_t id;
        std::string value;
    };
    std::vector<Set> sets;
    for (const auto& arg : session.Opts().args) {
        const size_t eq = arg.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "vr8200ctl: \"%s\" is not NAME=VALUE\n", arg.c_str());
            return kExitUsage;
        }
        const int32_t id = LookUp(arg.substr(0, eq));
        if (id < 0) return kExitUsage;
        const std::string value = arg.substr(eq + 1);
        if (!IsText(static_cast<uint32_t>(id))) {
            // An integer command takes a 32-bit decimal number and nothing else.
            size_t used = 0;
            long long v = 0;
            try {
                v = std::stoll(value, &used, 10);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != value.size() || v < INT32_MIN || v > INT32_MAX) {
                std::fprintf(stderr, "vr8200ctl: %s takes a whole number, not \"%s\"\n", arg.substr(0, eq).c_str(),
                             value.c_str());
                return kExitUsage;
            }
        }
        sets.push_back({static_cast<uint32_t>(id), value});
    }
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    auto& engine = session.Services().engine;
    for (const auto& s : sets) {
        const int ok = IsText(s.id)
                           ? engine.SendCommandString(s.id, s.value, kCommandTimeout)
                           : engine.SendCommandInt(s.id, static_cast<int32_t>(std::stoll(s.value)), kCommandTimeout);
        if (ok != 1) {
            if (!session.Services().status.IsOnline())
                std::fprintf(stderr, "vr8200ctl: no answer to %s\n", protocol::GetCommandName(s.id).c_str());
            return kExitCameraRefused;
        }
    }
    return kExitOk;
}

int RunSend(Session& session) {
    if (!session.OpenLine()) return kExitNoLink;
    auto& setting = session.Services().link;
    setting.Write(session.Opts().args.front() + "\r\n");
    // Everything the camera says within the wait, line by line; a CR before the LF is dropped.
    protocol::Deadline deadline{std::chrono::milliseconds(std::stoi(session.Opts().Value("wait", "1000")))};
    std::string line;
    std::vector<OutputValue> lines;
    bool any = false;
    for (;;) {
        char byte = 0;
        if (setting.Read(&byte, 1, deadline.Remaining()) != 1) {
            if (deadline.Expired()) break;
            continue;
        }
        if (byte != '\n') {
            line += byte;
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        session.Services().traffic.LogRx(line);
        any = true;
        if (session.Opts().json)
            lines.push_back({"line", line, true});
        else
            Print(line + "\n");
        line.clear();
    }
    if (!line.empty()) {
        any = true;
        if (!session.Opts().json)
            Print(line + "\n");
        else
            lines.push_back({"line", line, true});
    }
    if (session.Opts().json) {
        std::string out = "[";
        for (size_t i = 0; i < lines.size(); ++i) out += (i ? ", " : "") + JsonString(lines[i].text);
        Print(out + "]\n");
    }
    return any ? kExitOk : kExitCameraRefused;
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
    commands.push_back({"send", "write LINE with CR LF without the start-up sequence; print the replies",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("LINE", o.args, "the line to send")->required()->expected(1);
                            sub.add_option("--wait", o.values["wait"],
                                           "milliseconds to list received lines (default 1000)")
                                ->check(CLI::Range(0, 600000));
                        },
                        RunSend});
}

}  // namespace vr::cli
