#pragma once
// Why a serial port will not open or talks badly, found without opening any port: the group that
// owns the devices, devices this user may not open, ModemManager and brltty, lock files, other
// processes holding a port, each port's USB adapter, driver and FTDI latency timer. Everything is
// read below a root folder, so tests run it on prepared trees of /sys, /dev, /proc and /etc.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vr::doctor {

enum class Severity { Ok, Note, Warning, Problem };

struct DoctorFinding {
    std::string check;  // "group", "access", "modemmanager", "brltty", "lock", "busy", "adapter", "latency"
    Severity severity = Severity::Note;
    std::string port;  // the device it is about; empty for the machine
    std::string text;  // what was found
    std::string fix;   // one line; empty when there is nothing to do
};

struct DoctorReport {
    std::vector<DoctorFinding> findings;
    // A finding that keeps the tool from using a port.
    bool Blocking() const;
    // One finding a line ("problem: TEXT"), each fix on the line below it.
    std::string Text() const;
};

const char* SeverityName(Severity severity);

class SerialDoctor {
public:
    struct Identity {
        uid_t uid = 0;
        std::string user;
        std::vector<gid_t> groups;  // of this process (the primary one included)
    };

    // root "/" is the machine itself; lockFolder is where the lock files are (below root too).
    SerialDoctor(std::string root, Identity identity, std::string lockFolder = "/var/lock");
    // This process on this machine; the lock folder is the one the link uses.
    static SerialDoctor ForThisMachine();

    DoctorReport Run() const;
    const Identity& Who() const { return identity_; }

private:
    struct Port {
        std::string name;    // "ttyUSB0"
        std::string device;  // "/dev/ttyUSB0"
    };
    std::vector<Port> Ports() const;
    void CheckGroupsAndAccess(const std::vector<Port>& ports, DoctorReport& report) const;
    void CheckServices(DoctorReport& report) const;
    void CheckLocks(const std::vector<Port>& ports, DoctorReport& report) const;
    void CheckHolders(const std::vector<Port>& ports, DoctorReport& report) const;
    void CheckAdapter(const Port& port, DoctorReport& report) const;
    std::string Path(const std::string& absolute) const { return root_ + absolute; }
    std::string GroupName(gid_t gid, std::vector<std::string>* members) const;
    bool ProcessAlive(int pid) const;
    std::string ProgramOf(int pid) const;

    std::string root_;
    Identity identity_;
    std::string lockFolder_;
};

// The report of this machine as text, for a window to show when a port would not open.
std::string DiagnoseSerialPorts();

}  // namespace vr::doctor
