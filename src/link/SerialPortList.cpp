#include "link/SerialPortList.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#include "platform/FileIo.h"

#ifdef VR_HAVE_LIBSERIALPORT
#include <libserialport.h>
#endif

namespace vr::link {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// libserialport's own enumeration opens every serial8250 device to ask whether a UART sits behind
// it; the type attribute in sysfs tells the same without opening (0 is "no such port").
bool Is8250PortPresent(const std::string& ttyFolder) {
    std::string text, error;
    if (!platform::ReadWholeFile(ttyFolder + "/type", text, error, 64)) return false;
    return std::atoi(text.c_str()) != 0;
}

std::string UsbDescription(const std::string& device) {
#ifdef VR_HAVE_LIBSERIALPORT
    // sp_get_port_by_name only reads sysfs; it opens nothing.
    sp_port* port = nullptr;
    if (sp_get_port_by_name(device.c_str(), &port) != SP_OK || port == nullptr) return {};
    std::unique_ptr<sp_port, void (*)(sp_port*)> guard(port, sp_free_port);
    if (sp_get_port_transport(port) != SP_TRANSPORT_USB) return {};
    const char* product = sp_get_port_usb_product(port);
    if (product == nullptr || product[0] == '\0') product = sp_get_port_description(port);
    return product != nullptr ? std::string(product) : std::string();
#else
    (void)device;
    return {};
#endif
}

}  // namespace

bool DevicePathLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            size_t ie = i, je = j;
            while (ie < a.size() && IsDigit(a[ie])) ++ie;
            while (je < b.size() && IsDigit(b[je])) ++je;
            std::string na = a.substr(i, ie - i), nb = b.substr(j, je - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::string ResolvedPath(const std::string& path) {
    std::unique_ptr<char, void (*)(void*)> resolved(::realpath(path.c_str(), nullptr), std::free);
    return resolved ? std::string(resolved.get()) : path;
}

SerialPortList::SerialPortList(std::string sysClassTty, std::string devFolder, std::string byIdFolder)
    : sysClassTty_(std::move(sysClassTty)), devFolder_(std::move(devFolder)), byIdFolder_(std::move(byIdFolder)) {}

void SerialPortList::Enumerate() {
    machine_.clear();
    enumerated_ = true;
    DIR* dir = ::opendir(sysClassTty_.c_str());
    if (dir != nullptr) {
        std::vector<std::string> names;
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            const std::string link = sysClassTty_ + "/" + name;
            char target[PATH_MAX];
            const ssize_t len = ::readlink(link.c_str(), target, sizeof target - 1);
            if (len <= 0) continue;
            target[len] = '\0';
            const std::string t(target);
            // Virtual terminals, the console and pseudo-terminal masters are no serial ports.
            if (t.find("/virtual/") != std::string::npos) continue;
            if (t.find("serial8250") != std::string::npos && !Is8250PortPresent(link)) continue;
            names.push_back(name);
        }
        ::closedir(dir);
        for (const auto& name : names) {
            const std::string device = devFolder_ + "/" + name;
            if (!platform::FileExists(device)) continue;  // no device node (a container, say)
            machine_.push_back({device, UsbDescription(device)});
        }
        std::sort(machine_.begin(), machine_.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
            return DevicePathLess(a.device, b.device);
        });
    }
    Rebuild();
}

void SerialPortList::Rebuild() {
    entries_ = machine_;
    for (const auto& path : named_) {
        const std::string resolved = ResolvedPath(path);
        bool listed = false;
        for (const auto& e : entries_) listed = listed || e.device == path || ResolvedPath(e.device) == resolved;
        if (!listed) entries_.push_back({path, {}});
    }
}

std::string SerialPortList::DisplayName(int index) const {
    if (index < 0 || index >= Count()) return "ERROR";
    const auto& e = entries_[static_cast<size_t>(index)];
    return e.description.empty() ? e.device : e.device + " (" + e.description + ")";
}

std::string SerialPortList::Device(int index) const {
    if (index < 0 || index >= Count()) return {};
    return entries_[static_cast<size_t>(index)].device;
}

int SerialPortList::Find(const std::string& path) const {
    if (path.empty()) return -1;
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<size_t>(i)].device == path) return i;
    const std::string resolved = ResolvedPath(path);
    for (int i = 0; i < Count(); ++i)
        if (ResolvedPath(entries_[static_cast<size_t>(i)].device) == resolved) return i;
    return -1;
}

std::string SerialPortList::StablePath(const std::string& device) const {
    if (device.empty()) return device;
    DIR* dir = ::opendir(byIdFolder_.c_str());
    if (dir == nullptr) return device;
    const std::string resolved = ResolvedPath(device);
    std::vector<std::string> links;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        const std::string link = byIdFolder_ + "/" + name;
        if (ResolvedPath(link) == resolved) links.push_back(link);
    }
    ::closedir(dir);
    if (links.empty()) return device;
    std::sort(links.begin(), links.end());  // several interfaces of one adapter: always the same one
    return links.front();
}

int SerialPortList::AddDevicePath(const std::string& path) {
    if (path.empty()) return -1;
    if (!enumerated_) Enumerate();
    const int existing = Find(path);
    if (existing >= 0) return existing;
    named_.push_back(path);
    Rebuild();
    return Count() - 1;
}

}  // namespace vr::link
