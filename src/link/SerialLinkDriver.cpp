#include "link/SerialLinkDriver.h"

#include <algorithm>
#include <iterator>

#include "link/CommSetting.h"
#include "platform/FileIo.h"
#include "platform/Platform.h"

namespace vr::link {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

SerialLinkDriver::SerialLinkDriver(platform::IPlatform& platform, SerialPortList list, std::string rememberedDevice,
                                   const platform::SysCalls& calls)
    : platform_(platform),
      calls_(calls),
      list_(std::move(list)),
      port_(platform, calls),
      remembered_(std::move(rememberedDevice)) {}

void SerialLinkDriver::EnsureListed() {
    if (!list_.Enumerated()) list_.Enumerate();
}

int SerialLinkDriver::PortCount() {
    list_.Enumerate();
    return list_.Count();
}

std::string SerialLinkDriver::PortName(int index) {
    EnsureListed();
    return list_.DisplayName(index);
}

int64_t SerialLinkDriver::RememberedIndex(uint32_t fallback) {
    EnsureListed();
    if (remembered_.empty()) return fallback;
    int index = list_.Find(remembered_);
    // A remembered path that exists but is no port of the machine's (a pseudo-terminal, a link the
    // operator named) is listed again.
    if (index < 0 && platform::FileExists(remembered_, calls_)) index = list_.AddDevicePath(remembered_);
    return index;
}

void SerialLinkDriver::Remember(int index) {
    const std::string device = Device(index);
    if (!device.empty()) remembered_ = list_.StablePath(device);
}

int SerialLinkDriver::AddDevicePath(const std::string& path) {
    EnsureListed();
    return list_.AddDevicePath(path);
}

std::string SerialLinkDriver::Device(int index) {
    EnsureListed();
    return list_.Device(index);
}

int SerialLinkDriver::Open(uint32_t portIndex, uint32_t rate) {
    EnsureListed();
    const std::string device = list_.Device(static_cast<int>(portIndex));
    if (device.empty()) {
        // Linux has no "COM4": the port is named by its place in the list.
        const std::string reason =
            "Error in finding the port: this machine lists " + std::to_string(list_.Count()) + " serial ports";
        port_.SetLastError(reason);
        platform_.MessageBox(
            "Failed to initialize serial port number " + std::to_string(portIndex + 1) + "!\n" + reason,
            platform::kAppTitle, platform::MsgIcon::Exclamation);
        return 0;
    }
    // By its stable name: an adapter plugged in again is found under it whatever ttyUSBn it gets.
    remembered_ = list_.StablePath(device);
    return port_.Open(device, rate, 8, 0, 0, 0);
}

int SerialLinkDriver::ReportAbsent() {
    const std::string reason = remembered_ + " is not present; plug in the adapter or choose another port";
    port_.SetLastError(reason);
    platform_.MessageBox("Failed to initialize " + remembered_ + " port!\n" + reason, platform::kAppTitle,
                         platform::MsgIcon::Exclamation);
    return 0;
}

void SerialLinkDriver::Write(const std::string& text) {
    port_.Write(text.data(), static_cast<int>(text.size()));
}

int SerialLinkDriver::Read(char* buffer, int count, std::chrono::milliseconds timeout) {
    const Clock::time_point end = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    int total = 0;
    for (;;) {
        total += port_.Read(buffer + total, count - total);
        if (total >= count) return total;
        const auto now = Clock::now();
        if (now >= end || port_.LineLost()) return total;
        // Wakes the moment the reader hands over bytes; a closed port simply lets the time-out
        // pass, so the engine's wait costs no processor time either way.
        port_.WaitReadable(std::chrono::ceil<std::chrono::milliseconds>(end - now));
    }
}

bool SerialLinkDriver::SupportsRate(uint32_t rate) {
    return std::find(std::begin(kRates), std::end(kRates), rate) != std::end(kRates);
}

std::string SerialLinkDriver::LostReason() const {
    return Lost() ? port_.Name() + ": " + port_.LostReason() : std::string();
}

}  // namespace vr::link
