#pragma once
// The UUCP lock file names a device may be locked under. Programs name the lock after the path they
// were given, not always after the device it leads to: ser2net, configured with a
// /dev/serial/by-id name, locks "LCK..serial_by-id_usb-..." and takes no flock, so a lock looked for
// under the resolved name alone never sees it.

#include <string>
#include <vector>

namespace vr::link {

// "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..serial_by-id_usb-X" for /dev/serial/by-id/usb-X: the path
// as written, without resolving links.
std::string LockNameOfPath(const std::string& path);

// The names for the path as given, for the device it resolves to and for every link in the folders
// that resolves to the same device; each name once, the resolved device's first.
std::vector<std::string> LockNamesFor(const std::string& given, const std::vector<std::string>& linkFolders = {
                                                                    "/dev/serial/by-id", "/dev/serial/by-path"});

}  // namespace vr::link
