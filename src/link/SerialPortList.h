#pragma once
// The serial ports of communication mode 0: the machine's serial ports, found in sysfs without
// opening any of them (opening a port raises its modem lines, which resets some devices), sorted by
// device path with numbers in numeric order, each with its USB description where libserialport
// knows one; then every device path the operator named (a pseudo-terminal of the virtual camera,
// a /dev/serial/by-id link), in the order named.

#include <string>
#include <vector>

namespace vr::link {

struct SerialPortEntry {
    std::string device;       // "/dev/ttyUSB0"
    std::string description;  // "FT232R USB UART", empty when unknown
};

class SerialPortList {
public:
    // The folders are the real ones except in tests.
    explicit SerialPortList(std::string sysClassTty = "/sys/class/tty", std::string devFolder = "/dev",
                            std::string byIdFolder = "/dev/serial/by-id");

    // Lists the machine's ports afresh; the named paths stay.
    void Enumerate();
    bool Enumerated() const { return enumerated_; }

    int Count() const { return static_cast<int>(entries_.size()); }
    // "/dev/ttyUSB0 (FT232R USB UART)" or the bare path; "ERROR" outside the list.
    std::string DisplayName(int index) const;
    // The device path; empty outside the list.
    std::string Device(int index) const;
    // The index of the entry for path (compared after resolving links); -1 when none.
    int Find(const std::string& path) const;
    // Adds a device path the operator named and returns its index (the existing one when the path
    // is listed already); -1 for an empty path. Nothing is opened.
    int AddDevicePath(const std::string& path);

    // The name to remember for device: its /dev/serial/by-id link when it has one (that name
    // follows a USB adapter to whatever ttyUSBn it gets after being plugged in again), else the
    // path itself.
    std::string StablePath(const std::string& device) const;

    const std::vector<SerialPortEntry>& Entries() const { return entries_; }

private:
    std::string sysClassTty_;
    std::string devFolder_;
    std::string byIdFolder_;
    std::vector<SerialPortEntry> machine_;
    std::vector<std::string> named_;
    std::vector<SerialPortEntry> entries_;
    bool enumerated_ = false;

    void Rebuild();
};

// Natural order of device paths: "ttyS2" before "ttyS10".
bool DevicePathLess(const std::string& a, const std::string& b);
// The path with every link resolved; the path itself when it cannot be resolved.
std::string ResolvedPath(const std::string& path);

}  // namespace vr::link
