#pragma once
// The command line of vr8200ctl: global options, then a subcommand with its arguments. Each
// subcommand brings its own arguments (see CommandList.h); their values land in `args`, `flags` and
// `values` here.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vr::cli {

struct Subcommand;

// Exit statuses scripts rely on.
enum ExitCode : int {
    kExitOk = 0,
    kExitCameraRefused = 1,  // the camera refused a command or did not answer
    kExitUsage = 2,
    kExitNoLink = 3,         // the link could not be opened or no camera answered the start-up
    kExitFile = 4,           // a file could not be read, parsed or written
    kExitInterrupted = 130,  // stopped by Ctrl-C, as the shell reports an interrupted program (SIGTERM: 143,
                             // SIGHUP: 129; see Interrupt.h)
};

struct Options {
    std::optional<std::string> port;
    std::optional<uint32_t> linkMode;
    std::optional<uint32_t> portIndex;
    std::optional<uint32_t> rate;
    std::optional<std::string> simulate;  // "KA" or "KB"
    bool factory = false;
    std::optional<std::string> configDir;
    bool trace = false;
    bool json = false;
    bool yes = false;
    // The inventory of many cameras: the command runs on every camera it lists, at once.
    std::optional<std::string> cameras;
    // The change journal of this run: another file, or none at all.
    std::optional<std::string> journal;
    bool noJournal = false;

    std::string command;
    // The subcommand's positional arguments, its flags ("--shipping" as "shipping") and its options
    // with a value ("--points \"0,0 256,256\"" as values["points"]).
    std::vector<std::string> args;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    // The numbers among them, read whole by AddNumber (NumberArgument.h): an area, a version, "wait".
    std::map<std::string, int64_t> numbers;

    bool Flag(const std::string& name) const { return flags.count(name) != 0; }
    std::string Value(const std::string& name, const std::string& fallback = {}) const {
        const auto it = values.find(name);
        return it == values.end() || it->second.empty() ? fallback : it->second;
    }

    // A number AddNumber read; `fallback` when the argument was not given.
    int64_t Number(const std::string& name, int64_t fallback = 0) const {
        const auto it = numbers.find(name);
        return it == numbers.end() ? fallback : it->second;
    }

    // Any option that picks the link for this run only.
    bool OverridesLink() const { return port || linkMode || portIndex || simulate; }
    // The comma-separated names of a list option ("--only a,b"), each once given.
    std::vector<std::string> List(const std::string& name) const;
};

// Parses argv against the subcommands. On --help prints the help and returns kExitOk with parsed
// false; on a usage error prints the reason and returns kExitUsage.
struct ParseResult {
    bool parsed = false;
    int exitCode = kExitOk;
};
ParseResult ParseOptions(int argc, char** argv, const std::vector<Subcommand>& commands, Options& options);

// The same parser, built once and parsing as often as asked, each time from nothing: the scripting
// session parses every request with the parser of its subcommand.
class OptionParser {
public:
    explicit OptionParser(const std::vector<Subcommand>& commands);
    ~OptionParser();
    OptionParser(const OptionParser&) = delete;
    OptionParser& operator=(const OptionParser&) = delete;
    ParseResult Parse(int argc, char** argv, Options& options);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vr::cli
