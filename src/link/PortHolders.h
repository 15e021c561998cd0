#pragma once
// Who else has a serial device open, read from /proc below a root folder ("" for this machine;
// doctor's tests give prepared trees), and whether it locks the device too. A program that does not
// honour lock files can have a port open that the tool opens as well, and then takes the camera's
// replies; where /proc shows it, the tool names that program.

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/SysCalls.h"

namespace vr::link {

struct PortHolder {
    int pid = 0;
    std::string program;  // its /proc/<pid>/comm; empty when that cannot be read
    bool locks = false;   // it holds an flock on the device too: the tool refuses the port then
};

// The processes other than `self` with `device` among their open files (as /proc/<pid>/fd links
// name it), in pid order.
std::vector<PortHolder> FindPortHolders(const std::string& root, const std::string& device, int self,
                                        const platform::SysCalls& calls = platform::SysCalls::Real());

// The processes /proc/locks (its text) lists with an FLOCK on the file named "MM:mm:inode" (major
// and minor in hexadecimal, as the kernel writes them).
std::vector<int> FlockHolders(std::string_view procLocks, const std::string& file);
// The name /proc/locks gives the file with this status ("MM:mm:inode").
std::string LockedFileName(const struct stat& status);
// The name /proc/locks gives the file at `path`; empty when it cannot be looked at.
std::string LockedFileName(const std::string& path, const platform::SysCalls& calls = platform::SysCalls::Real());

// One line for the operator about holders that do not lock the device ("/dev/ttyUSB0 is also open
// in process 4711 (minicom), ..."); empty when there are none.
std::string DescribeOpenHolders(const std::string& device, const std::vector<PortHolder>& holders);

}  // namespace vr::link
