// The serial-port checks on prepared trees of /sys, /dev, /proc and /etc: each finding, its
// severity and its fix, and whether the report blocks the tool.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "TempDir.h"
#include "doctor/SerialDoctor.h"

namespace {

namespace fs = std::filesystem;
using vr::doctor::DoctorReport;
using vr::doctor::SerialDoctor;
using vr::doctor::Severity;

const std::string kPort = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0";

// A machine with one FTDI adapter on ttyUSB0 (group-owned 0660 by the test's own group, listed
// in etc/group as "dialout") and a pseudo-terminal master that is no port.
class FakeMachine {
public:
    FakeMachine() {
        const std::string usb = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-2";
        Dir("sys/bus/usb-serial/drivers/ftdi_sio");
        Dir("sys/devices/virtual/tty/ptmx");
        Dir("proc");
        Dir("var/lock");
        File(usb + "/idVendor", "0403\n");
        File(usb + "/idProduct", "6001\n");
        File(usb + "/manufacturer", "FTDI\n");
        File(usb + "/product", "FT232R USB UART\n");
        File(kPort + "/latency_timer", "16\n");
        Link("../../../../../../../bus/usb-serial/drivers/ftdi_sio", kPort + "/driver");
        Link("../../" + kPort.substr(4) + "/tty/ttyUSB0", "sys/class/tty/ttyUSB0");  // relative to sys/
        Link("../../../ttyUSB0", kPort + "/tty/ttyUSB0/device");
        Link("../../devices/virtual/tty/ptmx", "sys/class/tty/ptmx");
        File("dev/ttyUSB0", "");
        File("dev/ptmx", "");
        ::chmod((dir_ / "dev/ttyUSB0").c_str(), 0660);
        Group("");
    }
    void Dir(const fs::path& path) const { fs::create_directories(dir_.Path() / path); }
    // Files and links take their folders with them.
    void File(const std::string& path, const std::string& text) const {
        Dir(fs::path(path).parent_path());
        dir_.WriteFile(path, text);
    }
    void Link(const std::string& target, const std::string& path) const {
        Dir(fs::path(path).parent_path());
        fs::create_symlink(target, dir_ / path);
    }
    void Group(const std::string& members) const {
        // The test's own group stands for dialout, whatever its number (0 when run as root).
        const std::string root = ::getegid() == 0 ? "" : "root:x:0:\n";
        File("etc/group", root + "dialout:x:" + std::to_string(::getegid()) + ":" + members + "\n");
    }
    void Process(int pid, const std::string& program) const {
        Dir("proc/" + std::to_string(pid) + "/fd");
        File("proc/" + std::to_string(pid) + "/comm", program + "\n");
    }
    // The identity of somebody who owns nothing there, in the given groups.
    DoctorReport Run(bool inDialout) const {
        SerialDoctor::Identity who;
        who.uid = ::geteuid() + 1000;
        who.user = "ada";
        who.groups = {::getegid() + 1000};
        if (inDialout) who.groups.push_back(::getegid());
        return SerialDoctor(dir_.Path(), who).Run();
    }
    std::string Root() const { return dir_.Path(); }

private:
    vr::test::TempDir dir_;
};

const vr::doctor::DoctorFinding* Find(const DoctorReport& report, const std::string& check) {
    for (const auto& f : report.findings)
        if (f.check == check) return &f;
    return nullptr;
}

TEST(SerialDoctor, AHealthyMachineListsTheAdapterAndBlocksNothing) {
    FakeMachine machine;
    const DoctorReport report = machine.Run(true);
    const auto* adapter = Find(report, "adapter");
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->port, "/dev/ttyUSB0");
    EXPECT_EQ(adapter->text,
              "/dev/ttyUSB0: USB serial adapter 0403:6001 FTDI FT232R USB UART, driver ftdi_sio; the tool asks it "
              "for low latency when it opens it");
    // The pseudo-terminal master is no port.
    for (const auto& f : report.findings) EXPECT_EQ(f.port.find("ptmx"), std::string::npos) << f.text;
    EXPECT_NE(report.Text().find("Nothing keeps the tool from the serial ports."), std::string::npos);
}

// One finding of each kind, each on a machine of its own; problems block the tool, warnings, notes
// and passed checks do not.
TEST(SerialDoctor, EachFindingWithItsSeverityAndFix) {
    const struct {
        const char* name;
        std::function<void(const FakeMachine&)> prepare;
        bool inDialout;
        const char* check;
        Severity severity;
        const char* textHas;
        const char* fixStart;
    } cases[] = {
        {"a healthy machine", [](const FakeMachine&) {}, true, "group", Severity::Ok, "", ""},
        // The prepared timer file is writable: a 16 ms timer is a note, as the tool sets 1 ms itself.
        {"a 16 ms timer", [](const FakeMachine&) {}, true, "latency", Severity::Note,
         "16 ms: each reply may wait that long; the tool sets 1 ms", ""},
        {"a 1 ms timer", [](const FakeMachine& m) { m.File(kPort + "/latency_timer", "1\n"); }, true, "latency",
         Severity::Ok, "", ""},
        {"not in the group", [](const FakeMachine&) {}, false, "group", Severity::Problem, "",
         "sudo adduser ada dialout"},
        {"added but not logged in again", [](const FakeMachine& m) { m.Group("bob,ada"); }, false, "group",
         Severity::Problem, "", "log out and in again"},
        {"ModemManager", [](const FakeMachine& m) { m.Process(812, "ModemManager"); }, true, "modemmanager",
         Severity::Warning, "process 812", "sudo systemctl disable --now ModemManager"},
        {"brltty", [](const FakeMachine& m) { m.File("usr/sbin/brltty", ""); }, true, "brltty", Severity::Warning, "",
         "sudo apt-get remove brltty"},
        {"a stale lock", [](const FakeMachine& m) { m.File("var/lock/LCK..ttyUSB0", "      4711\n"); }, true, "lock",
         Severity::Warning, "process 4711 is gone", "sudo rm /var/lock/LCK..ttyUSB0"},
        {"a live lock",
         [](const FakeMachine& m) {
             m.File("var/lock/LCK..ttyUSB0", "      4711\n");
             m.Process(4711, "minicom");
         },
         true, "lock", Severity::Problem, "process 4711 (minicom)", ""},
        // A pseudo-terminal's lock (slashes as "_") is somebody else's business, not a problem.
        {"a pseudo-terminal's lock",
         [](const FakeMachine& m) {
             m.File("dev/pts/3", "");
             m.Process(77, "vr8200-sim");
             m.File("var/lock/LCK..pts_3", "        77\n");
         },
         true, "lock", Severity::Note, "/dev/pts/3 is locked by process 77", ""},
        // A program that has the port open without locking it shares it with the tool (and takes its
        // replies); one that locks it too keeps the tool off.
        {"a port held open",
         [](const FakeMachine& m) {
             m.Process(900, "screen");
             m.Link("/dev/ttyUSB0", "proc/900/fd/3");
             m.Link("/dev/null", "proc/900/fd/0");
         },
         true, "busy", Severity::Warning,
         "/dev/ttyUSB0 is open in process 900 (screen), which does not lock it: the tool opens it too", ""},
        {"a port held open and locked",
         [](const FakeMachine& m) {
             m.Process(900, "screen");
             m.Link("/dev/ttyUSB0", "proc/900/fd/3");
             struct stat st {};
             ASSERT_EQ(::stat((m.Root() + "/dev/ttyUSB0").c_str(), &st), 0);
             char name[64];
             std::snprintf(name, sizeof name, "%02x:%02x:%llu", major(st.st_dev), minor(st.st_dev),
                           static_cast<unsigned long long>(st.st_ino));
             m.File("proc/locks", "1: POSIX  ADVISORY  WRITE 77 00:05:1 0 EOF\n2: FLOCK  ADVISORY  WRITE 900 " +
                                      std::string(name) + " 0 EOF\n");
         },
         true, "busy", Severity::Problem, "/dev/ttyUSB0 is open and locked in process 900 (screen)", ""},
        // A name in the world-writable lock folder is quoted for the shell, never run.
        {"a lock file named like a command",
         [](const FakeMachine& m) { m.File("var/lock/LCK..ttyX; touch PWNED", "      4711\n"); }, true, "lock",
         Severity::Warning, "stale lock file /var/lock/LCK..ttyX; touch PWNED",
         "sudo rm '/var/lock/LCK..ttyX; touch PWNED'"},
        {"no ports", [](const FakeMachine& m) { fs::remove(fs::path(m.Root()) / "dev/ttyUSB0"); }, false, "ports",
         Severity::Note, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        c.prepare(machine);
        const DoctorReport report = machine.Run(c.inDialout);
        const auto* finding = Find(report, c.check);
        ASSERT_NE(finding, nullptr) << report.Text();
        EXPECT_EQ(finding->severity, c.severity);
        EXPECT_NE(finding->text.find(c.textHas), std::string::npos) << finding->text;
        EXPECT_EQ(finding->fix.rfind(c.fixStart, 0), 0u) << finding->fix;
        EXPECT_EQ(report.Blocking(), c.severity == Severity::Problem) << report.Text();
        // Outside the group the device itself cannot be opened either.
        EXPECT_EQ(Find(report, "access") != nullptr, !c.inDialout && c.check == std::string("group")) << report.Text();
    }
}

}  // namespace
