// The man pages say what the programs' --help says: the same options and, for vr8200ctl, the same
// subcommands; they render without warnings; the bash completion loads and offers the tool's words.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

using Words = std::set<std::string>;

std::string Shell(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int rc = ::pclose(pipe);
    if (status != nullptr) *status = rc;
    return out;
}

std::string ManPage(const std::string& name) {
    std::ifstream in(std::string(VR_PACKAGING_DIR) + "/man/" + name + ".1");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The first group of `pattern` on each line of a help text; with `part`, only on the lines that follow
// that heading, up to the next empty line.
Words HelpWords(const std::string& help, const std::string& pattern, const std::string& part = {}) {
    Words words;
    const std::regex regex(pattern);
    std::istringstream lines(help);
    bool in = part.empty();
    for (std::string line; std::getline(lines, line);) {
        if (in && !part.empty() && line.empty()) break;
        in = in || line == part;
        if (std::smatch m; in && std::regex_search(line, m, regex)) words.insert(m[1]);
    }
    return words;
}

// The long options a help text lists at the start of its lines.
Words HelpOptions(const std::string& help) {
    return HelpWords(help, R"(^\s+(?:-\w, ?|-\w,)?(--[a-z0-9-]+))");
}

// The subcommands in the "Subcommands:" part of a CLI11 help text.
Words HelpSubcommands(const std::string& help) {
    return HelpWords(help, R"(^  ([a-z][a-z0-9-]*)\s)", "Subcommands:");
}

// The definition lines of one section of a man page (the line after each .TP).
std::vector<std::string> Definitions(const std::string& page, const std::string& section) {
    std::vector<std::string> lines;
    std::istringstream in(page);
    bool wanted = false, next = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(".SH ", 0) == 0) wanted = line == ".SH " + section;
        if (next && wanted) lines.push_back(line);
        next = line == ".TP";
    }
    return lines;
}

// The long options on the definition lines of a man page section, as "\\-\\-name" or, with `bold`,
// only as "\\fB\\-\\-name\\fR".
Words ManOptions(const std::string& page, const std::string& section, bool bold = false) {
    Words words;
    const std::regex option(bold ? R"(\\fB\\-\\-((?:[a-z0-9]|\\-)+)\\fR)" : R"(\\-\\-((?:[a-z0-9]|\\-)+))");
    for (const std::string& line : Definitions(page, section))
        for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it)
            words.insert("--" + std::regex_replace((*it)[1].str(), std::regex(R"(\\-)"), "-"));
    return words;
}

// "lut curve" for "\fBlut curve\fR \fIFILE\fR ...".
std::vector<std::string> ManCommands(const std::string& page) {
    std::vector<std::string> names;
    const std::regex bold(R"(^\\fB([^\\]+)\\fR)");
    for (const std::string& line : Definitions(page, "COMMANDS"))
        if (std::smatch m; std::regex_search(line, m, bold)) names.push_back(m[1]);
    return names;
}

TEST(ManPages, VrCtlOptionsAndSubcommandsMatchItsHelp) {
    const std::string tool = VR8200CTL_EXE;
    const std::string page = ManPage("vr8200ctl");
    const std::string help = Shell(tool + " --help");
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(ManOptions(page, "OPTIONS"), HelpOptions(help));

    // Every subcommand, a group's members by their full name, and each one's own options.
    Words helpCommands, helpSubOptions;
    for (const std::string& name : HelpSubcommands(help)) {
        const std::string sub = Shell(tool + " " + name + " --help");
        const Words members = HelpSubcommands(sub);
        // A group that runs on its own too ("history", "history diff") is a command as well.
        if (members.empty() || sub.find("[SUBCOMMAND]") != std::string::npos) helpCommands.insert(name);
        for (const std::string& member : members) {
            helpCommands.insert(name + " " + member);
            helpSubOptions.merge(HelpOptions(Shell(tool + " " + name + " " + member + " --help")));
        }
        helpSubOptions.merge(HelpOptions(sub));
    }
    helpSubOptions.erase("--help");
    const std::vector<std::string> listed = ManCommands(page);
    EXPECT_EQ(Words(listed.begin(), listed.end()), helpCommands);
    EXPECT_EQ(listed.size(), Words(listed.begin(), listed.end()).size()) << "a command listed twice";
    EXPECT_EQ(ManOptions(page, "COMMANDS", true), helpSubOptions);
}

TEST(ManPages, SimAndDesktopToolOptionsMatchTheirHelp) {
    EXPECT_EQ(ManOptions(ManPage("vr8200-sim"), "OPTIONS"), HelpOptions(Shell(std::string(VR8200SIM_EXE) + " --help")));
#ifdef VR8200CONTROL_EXE
    const std::string help = Shell(std::string("QT_QPA_PLATFORM=offscreen ") + VR8200CONTROL_EXE + " --help");
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(ManOptions(ManPage("vr8200-control"), "OPTIONS"), HelpOptions(help));
#endif
}

TEST(ManPages, RenderWithoutWarnings) {
    for (const char* name : {"vr8200ctl", "vr8200-control", "vr8200-sim"}) {
        SCOPED_TRACE(name);
        const std::string file = std::string(VR_PACKAGING_DIR) + "/man/" + name + ".1";
        int status = -1;
        const std::string warnings = Shell("groff -man -Tutf8 -ww -z " + file + " 2>&1", &status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(warnings, "");
        const std::string shown = Shell("MANWIDTH=80 man -l " + file + " 2>&1", &status);
        EXPECT_EQ(status, 0) << shown;
        EXPECT_NE(shown.find("SYNOPSIS"), std::string::npos) << shown;
    }
}

TEST(BashCompletion, LoadsAndOffersTheToolsWords) {
    const std::string script = std::string(VR_PACKAGING_DIR) + "/vr8200ctl.bash";
    EXPECT_EQ(Shell("bash -c 'source " + script + " && complete -p vr8200ctl'"), "complete -F _vr8200ctl vr8200ctl\n");
    // What is typed, the last word being completed, and what is offered.
    const std::pair<const char*, const char*> cases[] = {
        {"d", "diff doctor dump"},
        {"lut \"\"", "curve read write"},
        {"--simulate \"\"", "KA KB"},
        {"--simulate KA get GAR", "GAR"},
        {"set GAB", "GAB="},
        {"onepush pixel", "pixel-black pixel-gain"},
        {"lut curve --poi", "--points"},
        {"--conf", "--config-dir"},
    };
    for (const auto& [words, offered] : cases) {
        SCOPED_TRACE(words);
        const std::string run = "bash -c 'source " + script + "; COMP_WORDS=(" + VR8200CTL_EXE + " " + words +
                                "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vr8200ctl; printf \"%s\\n\" "
                                "\"${COMPREPLY[@]}\" | sort | paste -sd \" \"'";
        EXPECT_EQ(Shell(run), std::string(offered) + "\n");
    }
}

}  // namespace
