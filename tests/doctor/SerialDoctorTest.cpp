// The serial-port checks on prepared trees of /sys, /dev, /proc and /etc: each finding, its
// severity and its fix, and whether the report blocks the tool.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "app/SerialDoctor.h"

namespace {

namespace fs = std::filesystem;
using vr::app::DoctorReport;
using vr::app::SerialDoctor;
using vr::app::Severity;

// A machine with one FTDI adapter on ttyUSB0 (group-owned 0660 by the test's own group, listed
// in etc/group as "dialout") and a pseudo-terminal master that is no port.
class FakeMachine {
public:
    FakeMachine() {
        const std::string usb = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-2";
        const std::string port = usb + "/1-2:1.0/ttyUSB0";
        Dir(port + "/tty/ttyUSB0");
        Dir("sys/bus/usb-serial/drivers/ftdi_sio");
        Dir("sys/class/tty");
        Dir("sys/devices/virtual/tty/ptmx");
        Dir("dev");
        Dir("proc");
        Dir("etc");
        Dir("var/lock");
        File(usb + "/idVendor", "0403\n");
        File(usb + "/idProduct", "6001\n");
        File(usb + "/manufacturer", "FTDI\n");
        File(usb + "/product", "FT232R USB UART\n");
        File(port + "/latency_timer", "16\n");
        Link("../../../../../../../bus/usb-serial/drivers/ftdi_sio", port + "/driver");
        Link("../../" + port.substr(4) + "/tty/ttyUSB0", "sys/class/tty/ttyUSB0");  // relative to sys/
        Link("../../../ttyUSB0", port + "/tty/ttyUSB0/device");
        Link("../../devices/virtual/tty/ptmx", "sys/class/tty/ptmx");
        File("dev/ttyUSB0", "");
        File("dev/ptmx", "");
        ::chmod((dir_ / "dev/ttyUSB0").c_str(), 0660);
        Group("");
    }
    void Dir(const std::string& path) const { fs::create_directories(dir_ / path); }
    void File(const std::string& path, const std::string& text) const { dir_.WriteFile(path, text); }
    void Link(const std::string& target, const std::string& path) const { fs::create_symlink(target, dir_ / path); }
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
    DoctorReport Run(bool inDialout, const std::string& user = "ada") const {
        SerialDoctor::Identity who;
        who.uid = ::geteuid() + 1000;
        who.user = user;
        who.groups = {::getegid() + 1000};
        if (inDialout) who.groups.push_back(::getegid());
        return SerialDoctor(dir_.Path(), who).Run();
    }
    std::string Root() const { return dir_.Path(); }

private:
    vr::test::TempDir dir_;
};

const vr::app::DoctorFinding* Find(const DoctorReport& report, const std::string& check) {
    for (const auto& f : report.findings)
        if (f.check == check) return &f;
    return nullptr;
}

TEST(SerialDoctor, AHealthyMachineListsTheAdapterAndBlocksNothing) {
    FakeMachine machine;
    const DoctorReport report = machine.Run(true);
    EXPECT_FALSE(report.Blocking()) << report.Text();
    const auto* adapter = Find(report, "adapter");
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->port, "/dev/ttyUSB0");
    EXPECT_EQ(adapter->text,
              "/dev/ttyUSB0: USB serial adapter 0403:6001 FTDI FT232R USB UART, driver ftdi_sio; the tool asks it "
              "for low latency when it opens it");
    ASSERT_NE(Find(report, "group"), nullptr);
    EXPECT_EQ(Find(report, "group")->severity, Severity::Ok);
    EXPECT_EQ(Find(report, "access"), nullptr);
    // The pseudo-terminal master is no port.
    for (const auto& f : report.findings) EXPECT_EQ(f.port.find("ptmx"), std::string::npos) << f.text;
    EXPECT_NE(report.Text().find("Nothing keeps the tool from the serial ports."), std::string::npos);
}

TEST(SerialDoctor, GroupMembershipAndAccess) {
    struct Case {
        const char* name;
        const char* groupMembers;
        bool inSession;
        Severity group;
        const char* fixStart;
        bool access;
    };
    const Case cases[] = {
        {"not a member", "", false, Severity::Problem, "sudo adduser ada dialout", true},
        {"added but not logged in again", "bob,ada", false, Severity::Problem, "log out and in again", true},
        {"member", "ada", true, Severity::Ok, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        machine.Group(c.groupMembers);
        const DoctorReport report = machine.Run(c.inSession);
        const auto* group = Find(report, "group");
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->severity, c.group);
        EXPECT_EQ(group->fix.rfind(c.fixStart, 0), 0u) << group->fix;
        EXPECT_EQ(Find(report, "access") != nullptr, c.access);
        EXPECT_EQ(report.Blocking(), c.access);
    }
}

TEST(SerialDoctor, ServicesThatGrabAdapters) {
    FakeMachine machine;
    machine.Process(812, "ModemManager");
    machine.Dir("var/lib/dpkg/info");
    machine.File("var/lib/dpkg/info/brltty.list", "/usr/bin/brltty\n");
    const DoctorReport report = machine.Run(true);
    const auto* mm = Find(report, "modemmanager");
    ASSERT_NE(mm, nullptr);
    EXPECT_EQ(mm->severity, Severity::Warning);
    EXPECT_NE(mm->text.find("process 812"), std::string::npos);
    EXPECT_EQ(mm->fix, "sudo systemctl disable --now ModemManager");
    const auto* brltty = Find(report, "brltty");
    ASSERT_NE(brltty, nullptr);
    EXPECT_EQ(brltty->fix, "sudo apt-get remove brltty");
    // Warnings only: the tool can still open the port.
    EXPECT_FALSE(report.Blocking());
}

TEST(SerialDoctor, LockFilesAndHolders) {
    FakeMachine machine;
    machine.File("var/lock/LCK..ttyUSB0", "      4711\n");  // process 4711 is gone
    DoctorReport report = machine.Run(true);
    const auto* stale = Find(report, "lock");
    ASSERT_NE(stale, nullptr);
    EXPECT_EQ(stale->severity, Severity::Warning);
    EXPECT_EQ(stale->fix, "sudo rm /var/lock/LCK..ttyUSB0");
    EXPECT_FALSE(report.Blocking());

    machine.Process(4711, "minicom");
    report = machine.Run(true);
    ASSERT_NE(Find(report, "lock"), nullptr);
    EXPECT_EQ(Find(report, "lock")->severity, Severity::Problem);
    EXPECT_NE(Find(report, "lock")->text.find("process 4711 (minicom)"), std::string::npos);

    // A pseudo-terminal's lock (slashes as "_") is somebody else's business, not a problem.
    FakeMachine ptyLock;
    ptyLock.Dir("dev/pts");
    ptyLock.File("dev/pts/3", "");
    ptyLock.Process(77, "vr8200-sim");
    ptyLock.File("var/lock/LCK..pts_3", "        77\n");
    report = ptyLock.Run(true);
    ASSERT_NE(Find(report, "lock"), nullptr);
    EXPECT_EQ(Find(report, "lock")->port, "/dev/pts/3");
    EXPECT_EQ(Find(report, "lock")->severity, Severity::Note);
    EXPECT_FALSE(report.Blocking());

    FakeMachine other;
    other.Process(900, "screen");
    other.Link("/dev/ttyUSB0", "proc/900/fd/3");
    other.Link("/dev/null", "proc/900/fd/0");
    report = other.Run(true);
    const auto* busy = Find(report, "busy");
    ASSERT_NE(busy, nullptr);
    EXPECT_EQ(busy->text, "/dev/ttyUSB0 is open in process 900 (screen)");
    EXPECT_TRUE(report.Blocking());
}

TEST(SerialDoctor, LatencyTimer) {
    struct Case {
        const char* value;
        Severity severity;
    };
    // The prepared timer file is writable: a 16 ms timer is a note with the command that sets 1 ms.
    for (const Case& c : {Case{"1\n", Severity::Ok}, Case{"16\n", Severity::Note}}) {
        SCOPED_TRACE(c.value);
        FakeMachine machine;
        machine.File("sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0/latency_timer", c.value);
        const DoctorReport report = machine.Run(true);
        const auto* latency = Find(report, "latency");
        ASSERT_NE(latency, nullptr);
        EXPECT_EQ(latency->severity, c.severity);
        if (c.severity != Severity::Ok) {
            EXPECT_NE(latency->text.find("16 ms: each reply may wait that long; the tool sets 1 ms"),
                      std::string::npos);
        }
    }
}

TEST(SerialDoctor, NoPortsIsANoteNotAProblem) {
    FakeMachine machine;
    fs::remove(fs::path(machine.Root()) / "dev/ttyUSB0");
    const DoctorReport report = machine.Run(false);
    ASSERT_NE(Find(report, "ports"), nullptr);
    EXPECT_FALSE(report.Blocking());
}

}  // namespace
