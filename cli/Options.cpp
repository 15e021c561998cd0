#include "Options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "CommandList.h"
#include "NumberArgument.h"
#include "Output.h"
#include "platform/Version.h"
#include "protocol/CommandTable.h"

namespace vr::cli {
namespace {

constexpr const char* kExamples = R"(Examples:
  vr8200ctl --simulate KA dump                  read every setting of a virtual camera
  vr8200ctl --port /dev/ttyUSB0 connect         find the camera on a USB serial adapter
  vr8200ctl --port /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0 get GA MD
  vr8200ctl set GA=400 UD="line 3 left"         change settings on the stored port
  vr8200ctl --link cl11 --port-index 0 dump     a camera behind a Camera Link frame grabber
  vr8200ctl --rate 115200 --trace get EA        skip the rate search when the rate is known
  vr8200ctl send "GA?" --wait 500               one raw line, without the start-up sequence
  vr8200ctl --factory save golden.cam           save every setting, factory ones included
  vr8200ctl diff golden.cam                     what differs between the camera and the file
  vr8200ctl lut curve gamma.csv --points "0,256 64,96 256,0"   a gamma file of a curve, no camera
  vr8200ctl --cameras line3.toml check          every camera of the line against its golden file

Exit status: 0 success; 1 the camera refused a command or did not answer; 2 usage error;
3 the link could not be opened or no camera answered the start-up; 4 a file could not be read,
parsed or written; 130 stopped by Ctrl-C (143 by SIGTERM, 129 by SIGHUP).)";

std::string GroupDescription(const std::string& group) {
    if (group == "lut") return "the colour look-up tables and their gamma files";
    return group + " commands";
}

// What an option or a positional takes, for the shell's completion: "flag", "choices A B ...",
// "device", "dir", "file", "mnemonic", "set" or "value".
std::string ValueKind(const CLI::Option& option) {
    if (!option.get_positional() && option.get_type_name().empty()) return "flag";
    const std::string type = option.get_type_name();
    if (const size_t open = type.find(":{"); open != std::string::npos && type.back() == '}') {
        std::string choices = type.substr(open + 2, type.size() - open - 3);
        for (char& c : choices)
            if (c == ',') c = ' ';
        return "choices " + choices;
    }
    const std::string name = option.get_name();
    if (name == "--port") return "device";
    if (name.find("dir") != std::string::npos) return "dir";
    if (name == "FILE" || name == "--journal") return "file";
    if (name == "NAME") return "mnemonic";
    if (name == "NAME=VALUE") return "set";
    return "value";
}

// The words the bash completion offers, taken from the parser itself so that they never drift
// from the tool: one tab-separated line per subcommand ("command", its path), option and
// positional ("option" or "positional", the path or "-" at the top, the name, what it takes), and
// command mnemonic ("mnemonic", "-", the name).
void PrintCompletionWords(const CLI::App& app) {
    std::string out;
    const auto all = [](const CLI::App*) { return true; };
    const auto options = [&](const CLI::App& from, const std::string& path) {
        for (const CLI::Option* option : from.get_options()) {
            if (option->get_group().empty()) continue;  // hidden
            out += std::string(option->get_positional() ? "positional" : "option") + "\t" + path + "\t" +
                   option->get_name() + "\t" + ValueKind(*option) + "\n";
        }
    };
    options(app, "-");
    for (const CLI::App* sub : app.get_subcommands(all)) {
        out += "command\t" + sub->get_name() + "\n";
        options(*sub, sub->get_name());
        for (const CLI::App* member : sub->get_subcommands(all)) {
            const std::string path = sub->get_name() + " " + member->get_name();
            out += "command\t" + path + "\n";
            options(*member, path);
        }
    }
    for (uint32_t id = 0; id < protocol::kCommandCount; ++id)
        out += "mnemonic\t-\t" + protocol::GetCommandName(id) + "\n";
    Print(out);
}

}  // namespace

std::vector<std::string> Options::List(const std::string& name) const {
    std::vector<std::string> items;
    const std::string text = Value(name);
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

// The parser and what its options fill: built once, it parses as often as asked.
struct OptionParser::State {
    explicit State(const std::vector<Subcommand>& commands);

    CLI::App app{"vr8200ctl: the VR-8200 Control Tool without windows, for scripts and headless machines"};
    Options o;
    std::string port, link, configDir, simulate, cameras, journal;
    CLI::Option* portOpt = nullptr;
    CLI::Option* linkOpt = nullptr;
    CLI::Option* indexOpt = nullptr;
    CLI::Option* rateOpt = nullptr;
    CLI::Option* simOpt = nullptr;
    CLI::Option* configOpt = nullptr;
    CLI::Option* camerasOpt = nullptr;
    CLI::Option* journalOpt = nullptr;
};

OptionParser::State::State(const std::vector<Subcommand>& commands) {
    app.footer(kExamples);
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("vr8200ctl ") + platform::VersionText());

    portOpt = app.add_option("--port", port, "serial device for this run (communication mode 0); not stored");
    linkOpt = app.add_option("--link", link, "com | cl2000 | cl2001 | cl11: communication mode for this run")
                  ->check(CLI::IsMember({"com", "cl2000", "cl2001", "cl11"}));
    indexOpt = AddNumber(app, "--port-index", "index in the port list of the mode, for this run", o, "port-index", 0,
                         UINT32_MAX);
    rateOpt = AddNumber(app, "--rate", "open at RATE and probe there first", o, "rate", 9600, 115200,
                        {9600, 19200, 38400, 57600, 115200});
    simOpt = app.add_option("--simulate", simulate, "start the virtual camera in-process and connect to it")
                 ->check(CLI::IsMember({"KA", "KB"}));
    app.add_flag("--factory", o.factory, "factory control mode for this run (not stored)");
    configOpt = app.add_option("--config-dir", configDir, "folder of the settings store");
    app.add_flag("--trace", o.trace, "the traffic log on stderr: time-stamped \"Tx: \" and \"Rx: \" lines");
    app.add_flag("--json", o.json, "JSON output for commands that print values");
    app.add_flag("--yes", o.yes, "answer Yes to every question");
    camerasOpt = app.add_option("--cameras", cameras,
                                "the inventory (TOML) of many cameras: connect, info, dump, check, apply or "
                                "snapshot on all of them at once");
    camerasOpt->excludes(portOpt)->excludes(linkOpt)->excludes(indexOpt)->excludes(simOpt);
    journalOpt = app.add_option("--journal", journal, "the change journal of this run (a file)");
    auto* noJournalOpt = app.add_flag("--no-journal", o.noJournal, "keep no journal of this run's changes");
    journalOpt->excludes(noJournalOpt);
    portOpt->excludes(linkOpt);
    simOpt->excludes(portOpt)->excludes(linkOpt)->excludes(indexOpt);

    // "lut curve" is the subcommand "curve" of the group "lut"; each feature adds its own members. A
    // group that is a command of its own ("history", "history diff") runs without a member too.
    std::map<std::string, CLI::App*> groups;
    std::map<std::string, CLI::App*> plain;
    for (const Subcommand& command : commands) {
        CLI::App* parent = &app;
        std::string name = command.name;
        if (const size_t blank = name.find(' '); blank != std::string::npos) {
            const std::string groupName = name.substr(0, blank);
            CLI::App*& group = groups[groupName];
            if (group == nullptr && plain.count(groupName)) {
                group = plain[groupName];
                group->require_subcommand(0, 1);
            } else if (group == nullptr) {
                group = app.add_subcommand(groupName, GroupDescription(groupName));
                group->require_subcommand(1);
            }
            parent = group;
            name = name.substr(blank + 1);
        }
        CLI::App* sub = parent->add_subcommand(name, command.description);
        if (parent == &app) plain[name] = sub;
        if (command.arguments) command.arguments(*sub, o);
    }
}

OptionParser::OptionParser(const std::vector<Subcommand>& commands) : state_(std::make_unique<State>(commands)) {}

OptionParser::~OptionParser() = default;

ParseResult OptionParser::Parse(int argc, char** argv, Options& options) {
    State& s = *state_;
    // Nothing of an earlier parse carries over: the options' results, what they filled.
    s.app.clear();
    // An option with a value writes into its entry of `values`, made when the option was: the entries
    // (moved, not copied, so they stay where the options point) are kept and emptied.
    std::map<std::string, std::string> values = std::move(s.o.values);
    s.o = Options();
    s.o.values = std::move(values);
    for (auto& entry : s.o.values) entry.second.clear();
    for (std::string* text : {&s.port, &s.link, &s.configDir, &s.simulate, &s.cameras, &s.journal}) text->clear();

    // The bash completion's question, alone on the line and not in the help: the words it offers.
    if (argc == 2 && std::string(argv[1]) == "--completion-words") {
        PrintCompletionWords(s.app);
        return {false, kExitOk};
    }
    try {
        s.app.parse(argc, argv);
    } catch (const CLI::CallForVersion& e) {
        s.app.exit(e);
        return {false, kExitOk};
    } catch (const CLI::CallForHelp& e) {
        s.app.exit(e);
        return {false, kExitOk};
    } catch (const CLI::CallForAllHelp& e) {
        s.app.exit(e);
        return {false, kExitOk};
    } catch (const CLI::ParseError& e) {
        s.app.exit(e);
        return {false, kExitUsage};
    }

    // An empty device or folder would quietly mean the first serial port or the home folder.
    for (const auto& [option, value] : {std::pair{s.portOpt, &s.port}, std::pair{s.configOpt, &s.configDir},
                                        std::pair{s.camerasOpt, &s.cameras}, std::pair{s.journalOpt, &s.journal}}) {
        if (*option && value->empty()) {
            std::fprintf(stderr, "vr8200ctl: %s needs a non-empty value\n", option->get_name().c_str());
            return {false, kExitUsage};
        }
    }
    Options& o = s.o;
    const std::map<std::string, uint32_t> modes = {{"com", 0}, {"cl2000", 1}, {"cl2001", 2}, {"cl11", 3}};
    if (*s.portOpt) o.port = s.port;
    if (*s.linkOpt) o.linkMode = modes.at(s.link);
    if (*s.indexOpt) o.portIndex = static_cast<uint32_t>(o.Number("port-index"));
    if (*s.rateOpt) o.rate = static_cast<uint32_t>(o.Number("rate"));
    if (*s.simOpt) o.simulate = s.simulate;
    if (*s.configOpt) o.configDir = s.configDir;
    if (*s.camerasOpt) o.cameras = s.cameras;
    if (*s.journalOpt) o.journal = s.journal;
    const CLI::App* chosen = s.app.get_subcommands().front();
    o.command = chosen->get_name();
    if (!chosen->get_subcommands().empty()) o.command += " " + chosen->get_subcommands().front()->get_name();
    options = o;
    return {true, kExitOk};
}

ParseResult ParseOptions(int argc, char** argv, const std::vector<Subcommand>& commands, Options& options) {
    return OptionParser(commands).Parse(argc, argv, options);
}

}  // namespace vr::cli
