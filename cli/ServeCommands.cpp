// "serve": the scripting session. One start-up, then one JSON request a line on standard input and
// one JSON answer or event a line on standard output (ServeRequest.h), until a "close" request or
// the end of input. Each request runs the subcommand it names through the command line's own parser
// and code, on the camera the session keeps; what the command would have printed becomes the
// answer's result (its --json output), its messages the error's message or "message" events, and
// its exit status the error's code.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CommandList.h"
#include "Interrupt.h"
#include "OutputCapture.h"
#include "RequestReader.h"
#include "ServeOutput.h"
#include "ServeRequest.h"
#include "Session.h"
#include "camera/Services.h"
#include "camera/SessionListener.h"
#include "link/CommSetting.h"
#include "protocol/TrafficLog.h"

namespace vr::cli {
namespace {

constexpr std::chrono::milliseconds kIdlePoll(250);
constexpr const char* kPrefix = "vr8200ctl: ";

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The message lines a command wrote on stderr, without the program's name before each.
std::vector<std::string> MessageLines(const std::string& err) {
    std::vector<std::string> lines;
    for (std::string line : SplitLines(err)) {
        if (line.rfind(kPrefix, 0) == 0) line.erase(0, std::strlen(kPrefix));
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// The command's --json output as a value; lines that are no JSON as a list of texts; null for none.
Json ResultOf(const std::string& out) {
    if (out.find_first_not_of(" \n") == std::string::npos) return nullptr;
    Json parsed = Json::parse(out, nullptr, false);
    if (!parsed.is_discarded()) return parsed;
    Json lines = Json::array();
    for (const std::string& line : SplitLines(out)) lines.push_back(JsonText(line));
    return lines;
}

class Server final : public camera::ISessionListener {
public:
    Server(Session& session, Options& options, const CommandList& commands)
        : session_(session), options_(options), commands_(commands) {}

    int Run();

    void OnOnline(bool online) override {
        if (!quiet_) TellOnline(online, online ? std::string() : OfflineReason());
    }

private:
    void RunRequest(const ServeRequest& request);
    // Runs ARGV (after the program's name) as the command line would; the exit status.
    int RunCommand(const Json& id, std::vector<std::string> argv, std::string& out, std::string& err);
    void StartUp();
    // The subcommand called NAME, or the members of the group NAME ("lut"): the parser of a request
    // is built with these alone, which takes a fraction of the time of building it with all.
    const CommandList& Named(const std::string& name);
    // The parser of the subcommand `name` (its commands `named`), built at its first request.
    OptionParser& ParserOf(const std::string& name, const CommandList& named);
    void WatchLine();
    void TellOnline(bool online, const std::string& why);
    std::string OfflineReason();
    void Progress(const std::string& text, int percent);

    Session& session_;
    Options& options_;
    const CommandList& commands_;
    std::map<std::string, std::unique_ptr<OptionParser>> parsers_;
    OutputCapture capture_;
    std::unique_ptr<ServeOutput> output_;
    bool quiet_ = true;
    int online_ = -1;  // -1 not told yet, 0 offline, 1 online
    Json current_;     // the id of the request under way
    std::string lastProgress_;
    std::map<std::string, CommandList> named_;
};

const CommandList& Server::Named(const std::string& name) {
    const auto known = named_.find(name);
    if (known != named_.end()) return known->second;
    CommandList& list = named_[name];
    for (const Subcommand& c : commands_)
        if (c.name == name || c.name.rfind(name + " ", 0) == 0) list.push_back(c);
    return list;
}

OptionParser& Server::ParserOf(const std::string& name, const CommandList& named) {
    std::unique_ptr<OptionParser>& parser = parsers_[name];
    if (!parser) parser = std::make_unique<OptionParser>(named);
    return *parser;
}

std::string Server::OfflineReason() {
    const link::CCommSetting& setting = session_.Services().link;
    if (setting.Lost()) return setting.LostReason();
    const std::string failure = session_.Services().engine.LastFailure().Describe();
    return failure.empty() ? "the camera did not answer" : failure;
}

void Server::TellOnline(bool online, const std::string& why) {
    if (online_ == (online ? 1 : 0)) return;
    online_ = online ? 1 : 0;
    if (!online) {
        output_->Write(EventLine("offline", {{"message", JsonText(why)}}));
        return;
    }
    camera::Services& services = session_.Services();
    output_->Write(EventLine("online", {{"port", JsonText(session_.PortName())},
                                        {"model", JsonText(services.model.name)},
                                        {"rate", services.link.GetBaudRate()}}));
}

void Server::Progress(const std::string& text, int percent) {
    Json fields = {{"request", current_}, {"text", JsonText(text)}, {"percent", nullptr}};
    if (percent >= 0) fields["percent"] = percent;
    std::string line = EventLine("progress", fields);
    // A LUT write sets its position at every entry: only a change is worth a line.
    if (line == lastProgress_) return;
    lastProgress_ = line;
    output_->Write(line);
}

void Server::StartUp() {
    std::string out, err;
    int rc = kExitUsage;
    if (capture_.Begin()) rc = session_.ConnectOrFail(false);
    capture_.End(out, err);
    quiet_ = false;
    const std::vector<std::string> lines = MessageLines(err);
    if (rc == kExitOk) {
        TellOnline(true, {});
        return;
    }
    online_ = 0;
    output_->Write(EventLine("offline", {{"code", rc}, {"message", JsonText(Joined(lines))}}));
}

void Server::WatchLine() {
    // The line going away while nothing runs (an adapter pulled out) is told at once.
    const link::CCommSetting& setting = session_.Services().link;
    if (online_ == 1 && setting.Lost()) TellOnline(false, setting.LostReason());
}

int Server::RunCommand(const Json& id, std::vector<std::string> argv, std::string& out, std::string& err) {
    current_ = id;
    lastProgress_.clear();
    if (!capture_.Begin()) {
        capture_.End(out, err);
        err = std::string("vr8200ctl: the command's output could not be captured: ") + std::strerror(errno);
        return kExitUsage;
    }
    const CommandList& named = Named(argv.front());
    argv.insert(argv.begin(), "vr8200ctl");
    std::vector<char*> pointers;
    for (std::string& word : argv) pointers.push_back(word.data());
    Options given;
    ParseResult parsed{false, kExitUsage};
    if (named.empty())
        PrintError("unknown command \"" + argv[1] + "\"");
    else
        parsed = ParserOf(argv[1], named).Parse(static_cast<int>(pointers.size()), pointers.data(), given);
    int rc = parsed.exitCode;
    if (parsed.parsed) {
        if (given.OverridesLink() || given.rate || given.configDir || given.factory || given.trace) {
            PrintError(
                "--port, --link, --port-index, --rate, --simulate, --config-dir, --factory and --trace are "
                "given to serve itself");
            rc = kExitUsage;
        } else if (given.command == "serve") {
            PrintError("serve runs requests; it is none itself");
            rc = kExitUsage;
        } else {
            const bool yes = options_.yes;
            options_.command = given.command;
            options_.args = given.args;
            options_.flags = given.flags;
            options_.values = given.values;
            options_.numbers = given.numbers;
            options_.yes = yes || given.yes;
            options_.json = true;
            session_.Platform().AnswerYes(options_.yes);
            const auto command = std::find_if(commands_.begin(), commands_.end(),
                                              [&](const Subcommand& c) { return c.name == options_.command; });
            rc = command->run(session_);
            if (StoppedExitCode() != 0) rc = kExitInterrupted;
            options_.yes = yes;
            session_.Platform().AnswerYes(yes);
        }
    }
    capture_.End(out, err);
    return rc;
}

void Server::RunRequest(const ServeRequest& request) {
    std::vector<std::string> argv;
    if (request.cmd == "reconnect") {
        if (!request.args.empty()) {
            output_->Write(ErrorLine(request.id, kExitUsage, "reconnect takes no arguments"));
            return;
        }
        session_.ForgetConnection();
        argv = {"connect"};
    } else {
        // "lut read" is the group "lut" and its member "read", as on the command line.
        size_t start = 0;
        while (start <= request.cmd.size()) {
            const size_t blank = std::min(request.cmd.find(' ', start), request.cmd.size());
            if (blank > start) argv.push_back(request.cmd.substr(start, blank - start));
            start = blank + 1;
        }
        // A request names a subcommand, never an option.
        if (argv.empty() || argv.front().rfind('-', 0) == 0) {
            output_->Write(ErrorLine(request.id, kExitUsage, "unknown command \"" + request.cmd + "\""));
            return;
        }
        argv.insert(argv.end(), request.args.begin(), request.args.end());
    }
    std::string out, err;
    const int rc = RunCommand(request.id, argv, out, err);
    // A line that went away during the request is told before its answer.
    WatchLine();
    const std::vector<std::string> lines = MessageLines(err);
    if (rc == kExitOk) {
        for (const std::string& line : lines)
            output_->Write(EventLine("message", {{"request", request.id}, {"text", JsonText(line)}}));
        output_->Write(AnswerLine(request.id, ResultOf(out)));
        return;
    }
    std::string message = Joined(lines);
    if (message.empty()) message = "ended with exit status " + std::to_string(rc);
    Json answer = Json::parse(ErrorLine(request.id, rc, message));
    // What the command printed before it failed (the differences diff found, what a dump read).
    if (Json result = ResultOf(out); !result.is_null()) answer["error"]["result"] = result;
    output_->Write(DumpJson(answer));
}

int Server::Run() {
    std::string error;
    if (!capture_.Open(error)) {
        PrintError("serve cannot capture the commands' output: " + error);
        return kExitUsage;
    }
    // A client that went away is seen as a failed write, not as a signal that ends the program.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (::sigaction(SIGPIPE, &ignore, nullptr) != 0) {
        PrintError(std::string("serve cannot ignore SIGPIPE: ") + std::strerror(errno));
        return kExitUsage;
    }
    output_ = std::make_unique<ServeOutput>(capture_.Stdout());
    camera::Services& services = session_.Services();
    if (options_.trace) {
        const int traceFd = capture_.Stderr();
        services.traffic.SetTerminalSink([traceFd](const std::string& line) {
            const std::string stamped = protocol::TrafficLog::TimeStamp(std::chrono::system_clock::now()) + line + "\n";
            // The trace is a convenience: a failed write loses a line of it, nothing else.
            if (::write(traceFd, stamped.data(), stamped.size()) < 0) return;
        });
    }
    session_.Platform().SetProgressSink([this](const std::string& text, int percent) { Progress(text, percent); });
    session_.Camera().AddListener(*this);
    session_.KeepConnection(true);

    StartUp();
    RequestReader reader(STDIN_FILENO, *output_);
    reader.Start();
    for (;;) {
        ServeRequest request;
        const RequestReader::Next next = reader.Pop(request, kIdlePoll);
        if (next == RequestReader::Next::Ended) break;
        if (next == RequestReader::Next::Idle) {
            WatchLine();
            if (SignalCame()) reader.Stop();
            continue;
        }
        if (next == RequestReader::Next::Cancelled) {
            output_->Write(ErrorLine(request.id, kExitInterrupted, "cancelled before it started"));
            continue;
        }
        if (next == RequestReader::Next::InputEnded) {
            output_->Write(ErrorLine(request.id, kExitInterrupted, "not run: the input ended before its turn"));
            continue;
        }
        if (request.cmd == "close") {
            output_->Write(AnswerLine(request.id, nullptr));
            reader.Finished();
            break;
        }
        RunRequest(request);
        reader.Finished();
        // A signal or a client that went away ends the session; what waits is answered as not run.
        if (SignalCame() || output_->Gone()) reader.Stop();
    }
    reader.Stop();
    session_.Camera().RemoveListener(*this);
    session_.Platform().SetProgressSink(nullptr);
    if (options_.trace) services.traffic.SetTerminalSink(nullptr);
    // A cancelled request was answered as such; the session itself ends as asked.
    ClearStopRequest();
    return SignalCame() ? kExitInterrupted : kExitOk;
}

}  // namespace

void AddServeCommands(CommandList& commands, Options& options) {
    commands.push_back(
        {"serve",
         "a scripting session: one start-up, then JSON requests on stdin, one a line, and JSON answers and events "
         "on stdout (see the man page)",
         nullptr, [&commands, &options](Session& session) { return Server(session, options, commands).Run(); }});
}

}  // namespace vr::cli
