#include "doctor/SerialDoctor.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>

#include "link/PortHolders.h"
#include "link/PortLock.h"
#include "link/SerialPortList.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"

namespace vr::doctor {
namespace {

namespace fs = std::filesystem;

// Where an installed program lives.
constexpr const char* kProgramFolders[] = {"/usr/bin", "/usr/sbin", "/bin", "/sbin"};

std::string ReadFirstLine(const std::string& path) {
    std::string text, error;
    if (!platform::ReadWholeFile(path, text, error, 4096)) return {};
    const size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

std::string LinkTarget(const std::string& path) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(path, ec);
    return ec ? std::string() : target.string();
}

std::string Canonical(const std::string& path) {
    std::error_code ec;
    const fs::path resolved = fs::canonical(path, ec);
    return ec ? std::string() : resolved.string();
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A word a shell takes as it stands: the text itself when it holds only harmless characters, else
// in single quotes (a quote inside as '\''), or, when it holds a control byte, in bash's $'...' with
// the byte as \xHH, so the line stays printable. A lock file named "LCK..ttyX; touch PWNED" in the
// world-writable lock folder must not turn a fix line into two commands.
std::string ShellWord(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return c != 0 && (std::isalnum(c) || std::strchr("_./:@%+=,-", c) != nullptr);
    });
    if (plain) return text;
    const bool control = std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
    std::string quoted = control ? "$'" : "'";
    for (unsigned char c : text) {
        if (!control) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, static_cast<char>(c));
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            quoted += escaped;
        } else {
            if (c == '\'' || c == '\\') quoted += '\\';
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "'";
}

// Names from the machine (files, groups, programs) in a finding's text, their control bytes shown.
std::string Shown(const std::string& text) {
    return protocol::Command::Printable(text);
}

std::vector<int> ProcessIds(const std::string& procFolder) {
    std::vector<int> pids;
    std::error_code ec;
    for (fs::directory_iterator it(procFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (AllDigits(name)) pids.push_back(std::atoi(name.c_str()));
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

}  // namespace

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Ok:
            return "ok";
        case Severity::Note:
            return "note";
        case Severity::Warning:
            return "warning";
        case Severity::Problem:
            return "problem";
    }
    return "note";
}

bool DoctorReport::Blocking() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const DoctorFinding& f) { return f.severity == Severity::Problem; });
}

std::string DoctorReport::Text() const {
    std::string out;
    for (const DoctorFinding& f : findings) {
        out += std::string(SeverityName(f.severity)) + ": " + f.text + "\n";
        if (!f.fix.empty()) out += "    fix: " + f.fix + "\n";
    }
    out += Blocking() ? "Something keeps the tool from a serial port: see the problems above.\n"
                      : "Nothing keeps the tool from the serial ports.\n";
    return out;
}

SerialDoctor::SerialDoctor(std::string root, Identity identity, std::string lockFolder)
    : root_(std::move(root)), identity_(std::move(identity)), lockFolder_(std::move(lockFolder)) {
    while (!root_.empty() && root_.back() == '/') root_.pop_back();
}

SerialDoctor SerialDoctor::ForThisMachine() {
    Identity identity;
    identity.uid = ::getuid();
    if (const passwd* pw = ::getpwuid(identity.uid); pw != nullptr) identity.user = pw->pw_name;
    if (identity.user.empty()) identity.user = std::to_string(identity.uid);
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        identity.groups.resize(static_cast<size_t>(count));
        const int got = ::getgroups(count, identity.groups.data());
        identity.groups.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    identity.groups.push_back(::getgid());
    return SerialDoctor("/", identity, link::PortLock::LockFolder());
}

std::string SerialDoctor::GroupName(gid_t gid, std::vector<std::string>* members) const {
    std::string text, error;
    if (!platform::ReadWholeFile(Path("/etc/group"), text, error)) return std::to_string(gid);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, ':');) fields.push_back(field);
        if (fields.size() < 3 || !AllDigits(fields[2]) || static_cast<gid_t>(std::atol(fields[2].c_str())) != gid)
            continue;
        if (members != nullptr && fields.size() > 3) {
            std::istringstream names(fields[3]);
            for (std::string name; std::getline(names, name, ',');) members->push_back(name);
        }
        return fields[0];
    }
    return std::to_string(gid);
}

bool SerialDoctor::ProcessAlive(int pid) const {
    return pid > 0 && platform::PathExists(Path("/proc/" + std::to_string(pid)));
}

std::string SerialDoctor::ProgramOf(int pid) const {
    return ReadFirstLine(Path("/proc/" + std::to_string(pid) + "/comm"));
}

std::vector<SerialDoctor::Port> SerialDoctor::Ports() const {
    std::vector<Port> ports;
    std::error_code ec;
    const std::string classFolder = Path("/sys/class/tty");
    for (fs::directory_iterator it(classFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string target = LinkTarget(it->path().string());
        // Virtual terminals, the console and pseudo-terminal masters are no serial ports; a
        // built-in UART slot without a UART behind it reads type 0.
        if (target.empty() || target.find("/virtual/") != std::string::npos) continue;
        if (target.find("serial8250") != std::string::npos &&
            std::atoi(ReadFirstLine(it->path().string() + "/type").c_str()) == 0)
            continue;
        if (!platform::PathExists(Path("/dev/" + name))) continue;
        ports.push_back({name, "/dev/" + name});
    }
    std::sort(ports.begin(), ports.end(),
              [](const Port& a, const Port& b) { return link::DevicePathLess(a.device, b.device); });
    return ports;
}

void SerialDoctor::CheckGroupsAndAccess(const std::vector<Port>& ports, DoctorReport& report) const {
    std::map<gid_t, std::string> groupsReported;
    for (const Port& port : ports) {
        struct stat st {};
        if (platform::SysCalls::Real().Stat(Path(port.device), st) != 0) continue;
        const bool inGroup =
            std::find(identity_.groups.begin(), identity_.groups.end(), st.st_gid) != identity_.groups.end();
        std::vector<std::string> members;
        const std::string group = GroupName(st.st_gid, &members);
        const bool listed = std::find(members.begin(), members.end(), identity_.user) != members.end();
        const bool groupGrants = (st.st_mode & 060) == 060;
        if (groupGrants && groupsReported.emplace(st.st_gid, group).second) {
            if (inGroup)
                report.findings.push_back(
                    {"group", Severity::Ok, "",
                     Shown(identity_.user) + " is in the group " + Shown(group) + " that owns " + Shown(port.device),
                     ""});
            else if (listed)
                report.findings.push_back({"group", Severity::Problem, "",
                                           Shown(identity_.user) + " was added to the group " + Shown(group) +
                                               " (owner of " + Shown(port.device) +
                                               "), but this login session does not have it yet",
                                           "log out and in again (or run: newgrp " + ShellWord(group) + ")"});
            else if (identity_.uid != 0)
                report.findings.push_back({"group", Severity::Problem, "",
                                           Shown(identity_.user) + " is not in the group " + Shown(group) +
                                               " that owns " + Shown(port.device),
                                           "sudo adduser " + ShellWord(identity_.user) + " " + ShellWord(group) +
                                               ", then log out and in again"});
        }
        const bool canOpen = identity_.uid == 0 || (st.st_uid == identity_.uid && (st.st_mode & 0600) == 0600) ||
                             (inGroup && groupGrants) || (st.st_mode & 06) == 06;
        if (!canOpen) {
            std::string fix = groupGrants && !inGroup
                                  ? "join the group " + ShellWord(group) + " (see above)"
                                  : "sudo chmod g+rw " + ShellWord(port.device) + " (or a udev rule)";
            report.findings.push_back(
                {"access", Severity::Problem, port.device,
                 Shown(identity_.user) + " may not open " + Shown(port.device) + " (owner group " + Shown(group) + ")",
                 fix});
        }
    }
}

void SerialDoctor::CheckServices(DoctorReport& report) const {
    for (int pid : ProcessIds(Path("/proc"))) {
        if (ProgramOf(pid) != "ModemManager") continue;
        report.findings.push_back({"modemmanager", Severity::Warning, "",
                                   "ModemManager is running (process " + std::to_string(pid) +
                                       "): it probes new ttyACM and ttyUSB devices and garbles their first seconds",
                                   "sudo systemctl disable --now ModemManager"});
        break;
    }
    // The program where a package puts it; the package manager's own records are its business.
    const bool brltty = std::any_of(std::begin(kProgramFolders), std::end(kProgramFolders), [this](const char* folder) {
        return platform::PathExists(Path(std::string(folder) + "/brltty"));
    });
    if (brltty)
        report.findings.push_back({"brltty", Severity::Warning, "",
                                   "brltty is installed: it claims common USB serial chips (CH340, CP210x, FTDI) "
                                   "for braille displays",
                                   "sudo apt-get remove brltty"});
}

void SerialDoctor::CheckLocks(const std::vector<Port>& ports, DoctorReport& report) const {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(Path(lockFolder_), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("LCK..", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string file = lockFolder_ + "/" + name;
        std::string text = ReadFirstLine(Path(file));
        text.erase(0, text.find_first_not_of(' '));
        const int pid = std::atoi(text.c_str());
        // "LCK..ttyUSB0" is /dev/ttyUSB0; a device below a folder has its slashes as "_" ("pts_3").
        std::string device = "/dev/" + name.substr(5);
        if (!platform::PathExists(Path(device))) std::replace(device.begin() + 5, device.end(), '_', '/');
        const bool isPort = std::any_of(ports.begin(), ports.end(), [&](const Port& p) { return p.device == device; });
        if (!ProcessAlive(pid)) {
            report.findings.push_back({"lock", Severity::Warning, device,
                                       "stale lock file " + Shown(file) + " (process " + std::to_string(pid) +
                                           " is gone); programs that honour lock files keep off " + Shown(device),
                                       "sudo rm " + ShellWord(file)});
        } else {
            const std::string program = ProgramOf(pid);
            // Only a serial port of the machine's is kept from the tool; a pseudo-terminal's lock
            // belongs to whoever made it.
            report.findings.push_back({"lock", isPort ? Severity::Problem : Severity::Note, device,
                                       Shown(device) + " is locked by process " + std::to_string(pid) +
                                           (program.empty() ? "" : " (" + Shown(program) + ")") + " through " +
                                           Shown(file),
                                       isPort ? "end that program or choose another port" : ""});
        }
    }
}

void SerialDoctor::CheckHolders(const std::vector<Port>& ports, DoctorReport& report) const {
    const int self = root_.empty() ? static_cast<int>(::getpid()) : -1;
    for (const Port& port : ports) {
        for (const link::PortHolder& holder : link::FindPortHolders(root_, port.device, self)) {
            const std::string who = "process " + std::to_string(holder.pid) +
                                    (holder.program.empty() ? "" : " (" + Shown(holder.program) + ")");
            // A holder that locks the device keeps the tool off it; one that does not shares it, and
            // takes replies.
            if (holder.locks)
                report.findings.push_back(
                    {"busy", Severity::Problem, port.device,
                     Shown(port.device) + " is open and locked in " + who + ": the tool cannot open it",
                     "end that program or choose another port"});
            else
                report.findings.push_back({"busy", Severity::Warning, port.device,
                                           Shown(port.device) + " is open in " + who +
                                               ", which does not lock it: the tool opens it too, and that program "
                                               "may take the camera's replies",
                                           "end that program or choose another port"});
        }
    }
}

void SerialDoctor::CheckAdapter(const Port& port, DoctorReport& report) const {
    const std::string deviceLink = Path("/sys/class/tty/" + port.name + "/device");
    const std::string device = Canonical(deviceLink);
    const std::string driverLink = LinkTarget(deviceLink + "/driver");
    const std::string driver = driverLink.empty() ? std::string("unknown") : fs::path(driverLink).filename().string();
    if (device.find("/usb") == std::string::npos) {
        report.findings.push_back(
            {"adapter", Severity::Note, port.device, port.device + ": built-in serial port, driver " + driver, ""});
        return;
    }
    std::string usb;
    for (fs::path folder = device; !folder.empty() && folder != folder.root_path(); folder = folder.parent_path()) {
        const std::string vendor = ReadFirstLine(folder.string() + "/idVendor");
        if (vendor.empty()) continue;
        usb = vendor + ":" + ReadFirstLine(folder.string() + "/idProduct");
        for (const char* name : {"/manufacturer", "/product"}) {
            const std::string text = ReadFirstLine(folder.string() + name);
            if (!text.empty()) usb += " " + text;
        }
        break;
    }
    report.findings.push_back({"adapter", Severity::Note, port.device,
                               port.device + ": USB serial adapter " +
                                   (usb.empty() ? "(no USB description)" : Shown(usb)) + ", driver " + driver +
                                   "; the tool asks it for low latency when it opens it",
                               ""});
    const std::string timerFile = device + "/latency_timer";
    const std::string timer = ReadFirstLine(timerFile);
    if (timer.empty()) return;
    const int ms = std::atoi(timer.c_str());
    const std::string shown = ShellWord("/sys/bus/usb-serial/devices/" + port.name + "/latency_timer");
    if (ms <= 1) {
        report.findings.push_back(
            {"latency", Severity::Ok, port.device, port.device + ": latency timer " + std::to_string(ms) + " ms", ""});
        return;
    }
    // The tool sets 1 ms itself when it opens the port, where it may write the file.
    const bool writable = platform::SysCalls::Real().Access(timerFile, W_OK) == 0;
    report.findings.push_back(
        {"latency", writable ? Severity::Note : Severity::Warning, port.device,
         port.device + ": latency timer " + std::to_string(ms) + " ms: each reply may wait that long; " +
             (writable ? "the tool sets 1 ms when it opens the port" : "the tool may not set it to 1 ms"),
         writable ? "" : "echo 1 | sudo tee " + shown});
}

DoctorReport SerialDoctor::Run() const {
    DoctorReport report;
    const std::vector<Port> ports = Ports();
    if (ports.empty())
        report.findings.push_back({"ports", Severity::Note, "", "no serial ports found on this machine",
                                   "plug in the USB serial adapter; dmesg tells whether its driver took it"});
    CheckGroupsAndAccess(ports, report);
    CheckServices(report);
    CheckLocks(ports, report);
    CheckHolders(ports, report);
    for (const Port& port : ports) CheckAdapter(port, report);
    return report;
}

std::string DiagnoseSerialPorts() {
    return SerialDoctor::ForThisMachine().Run().Text();
}

}  // namespace vr::doctor
