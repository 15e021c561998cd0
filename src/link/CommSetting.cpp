#include "link/CommSetting.h"

#include <sys/stat.h>

#include <algorithm>
#include <thread>

#include "app/Platform.h"
#include "app/Registry.h"
#include "protocol/TrafficLog.h"

namespace vr::link {
namespace {

using Clock = std::chrono::steady_clock;

// What the links are given per call: a write may take 500 ms, a Camera Link read waits 10 ms for
// its one byte.
constexpr uint32_t kClWriteTimeoutMs = 500;
constexpr uint32_t kClReadTimeoutMs = 10;

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

CCommSetting::CCommSetting(app::CRegistry& registry, app::IPlatform& platform, protocol::TrafficLog& traffic,
                           SerialPortList portList)
    : registry_(registry),
      platform_(platform),
      traffic_(traffic),
      portList_(std::move(portList)),
      serial_(platform),
      cl2000_(platform),
      cl2001_(platform),
      clVer11_(platform) {
    registry_.ReadDword(app::kRegCommunicationMode, mode_, 0);
    registry_.ReadDword(app::kRegComPortNo, comPortIndex_, 0);
    registry_.ReadDword(app::kRegCameralink2000Index, cl2000Index_, 0);
    registry_.ReadDword(app::kRegCameralink2001Index, cl2001Index_, 0);
    registry_.ReadDword(app::kRegCameralinkVer11Index, clVer11Index_, 0);
    registry_.ReadComPortDevice(comPortDevice_);
    // "Baudrate" is written at exit but never read back: a camera always wakes at 9600.
}

CCommSetting::~CCommSetting() {
    Close();
    if (saveOnExit_) Save();
}

void CCommSetting::SetPortIndex(uint32_t index) {
    switch (mode_) {
        case ComPort:
            comPortIndex_ = index;
            comPortDevice_ = GetPortDevice(static_cast<int>(index));
            break;
        case CameraLink2000:
            cl2000Index_ = index;
            break;
        case CameraLink2001:
            cl2001Index_ = index;
            break;
        case CameraLinkVer11:
            clVer11Index_ = index;
            break;
        default:
            break;
    }
}

uint32_t CCommSetting::GetMode() const {
    return mode_;
}
void CCommSetting::SetMode(uint32_t mode) {
    mode_ = mode;
}
int CCommSetting::GetBaudIndex() const {
    return RateToBaudIndex(baudRate_);
}
uint32_t CCommSetting::GetBaudRate() const {
    return baudRate_;
}

uint32_t CCommSetting::BaudIndexToRate(int index) {
    return index >= 0 && index < kRateCount ? kRates[index] : kRates[0];
}

int CCommSetting::RateToBaudIndex(uint32_t rate) {
    for (int i = 0; i < kRateCount; ++i)
        if (kRates[i] == rate) return i;
    return 0;
}

uint32_t CCommSetting::GetPortIndex() const {
    switch (mode_) {
        case ComPort:
            return comPortIndex_;
        case CameraLink2000:
            return cl2000Index_;
        case CameraLink2001:
            return cl2001Index_;
        case CameraLinkVer11:
            return clVer11Index_;
        default:
            return 0;
    }
}

void CCommSetting::FindRememberedDevice() {
    if (comPortDevice_.empty()) return;
    int index = portList_.Find(comPortDevice_);
    // A remembered path that exists but is no port of the machine's (a pseudo-terminal, a link
    // the operator named) is listed again; one that is gone leaves the remembered index alone.
    if (index < 0 && PathExists(comPortDevice_)) index = portList_.AddDevicePath(comPortDevice_);
    if (index >= 0) comPortIndex_ = static_cast<uint32_t>(index);
}

void CCommSetting::EnsurePortList() {
    if (portList_.Enumerated()) return;
    portList_.Enumerate();
    FindRememberedDevice();
}

int CCommSetting::GetPortCount() {
    switch (mode_) {
        case ComPort:
            portList_.Enumerate();
            FindRememberedDevice();
            return portList_.Count();
        case CameraLink2000:
            return cl2000_.GetPortCount();
        case CameraLink2001:
            return cl2001_.GetPortCount();
        case CameraLinkVer11:
            return clVer11_.GetPortCount();
        default:
            return 0;
    }
}

std::string CCommSetting::GetPortName(int index) {
    switch (mode_) {
        case ComPort:
            EnsurePortList();
            return portList_.DisplayName(index);
        case CameraLink2000:
            return cl2000_.GetPortName(index);
        case CameraLink2001:
            return cl2001_.GetPortName(index);
        case CameraLinkVer11:
            return clVer11_.GetPortName(index);
        default:
            return "ERROR";
    }
}

std::string CCommSetting::GetPortDevice(int index) {
    EnsurePortList();
    return portList_.Device(index);
}

int CCommSetting::AddDevicePath(const std::string& path) {
    EnsurePortList();
    return portList_.AddDevicePath(path);
}

int CCommSetting::Open(uint32_t mode, uint32_t rate, uint32_t portIndex) {
    Close();
    // Mode and rate stay stored even when the open fails; they are saved at exit.
    mode_ = mode;
    baudRate_ = rate;
    switch (mode) {
        case ComPort: {
            EnsurePortList();
            comPortIndex_ = portIndex;
            const std::string device = portList_.Device(static_cast<int>(portIndex));
            if (device.empty()) {
                platform_.MessageBox("Failed to initialize COM" + std::to_string(portIndex + 1) +
                                         " port!\nError in finding the port: this machine lists " +
                                         std::to_string(portList_.Count()) + " serial ports",
                                     app::kAppTitle, app::MsgIcon::Exclamation);
                return 0;
            }
            comPortDevice_ = device;
            return serial_.Open(device, rate, 8, 0, 0, 0);
        }
        case CameraLink2000:
            cl2000Index_ = portIndex;
            // A port that does not open leaves the rate alone; a refused rate leaves the port open
            // at the rate its library chose.
            if (!cl2000_.Init(portIndex)) return 0;
            return cl2000_.SetBaudRate(rate);
        case CameraLink2001:
            cl2001Index_ = portIndex;
            if (!cl2001_.Init(portIndex)) return 0;
            return cl2001_.SetBaudRate(rate);
        case CameraLinkVer11:
            clVer11Index_ = portIndex;
            if (!clVer11_.Init(portIndex)) return 0;
            return clVer11_.SetBaudRate(rate);
        default:
            return 0;
    }
}

int CCommSetting::Open(uint32_t mode, uint32_t rate) {
    switch (mode) {
        case ComPort:
            // The remembered device may sit at another index now (an adapter in another socket).
            EnsurePortList();
            return Open(mode, rate, comPortIndex_);
        case CameraLink2000:
            return Open(mode, rate, cl2000Index_);
        case CameraLink2001:
            return Open(mode, rate, cl2001Index_);
        case CameraLinkVer11:
            return Open(mode, rate, clVer11Index_);
        default:
            return Open(mode, rate, 0);
    }
}

int CCommSetting::Reopen() {
    return Open(mode_, baudRate_);
}
int CCommSetting::OpenMode(uint32_t mode) {
    return Open(mode, baudRate_);
}
int CCommSetting::OpenBaud(uint32_t rate) {
    return Open(mode_, rate);
}
int CCommSetting::OpenPort(uint32_t portIndex) {
    return Open(mode_, baudRate_, portIndex);
}

void CCommSetting::Close() {
    switch (mode_) {
        case ComPort:
            serial_.Close();
            break;
        case CameraLink2000:
            cl2000_.Close();
            break;
        case CameraLink2001:
            cl2001_.Close();
            break;
        case CameraLinkVer11:
            clVer11_.Close();
            break;
        default:
            break;
    }
}

int CCommSetting::Read(char* buffer, int count, std::chrono::milliseconds timeout) {
    if (count < 1) return 0;
    const Clock::time_point end = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    int total = 0;
    if (mode_ == ComPort) {
        for (;;) {
            total += serial_.Read(buffer + total, count - total);
            if (total >= count) return total;
            const auto now = Clock::now();
            if (now >= end) return total;
            // Wakes the moment the reader hands over bytes; a closed or lost port simply lets the
            // time-out pass, so the engine's wait costs no processor time either way.
            serial_.WaitReadable(std::chrono::ceil<std::chrono::milliseconds>(end - now));
        }
    }
    if (mode_ > CameraLinkVer11) {
        // No link: nothing can arrive, but the caller still gets the wait it asked for.
        std::this_thread::sleep_until(end);
        return 0;
    }
    for (;;) {
        const Clock::time_point sliceEnd = Clock::now() + std::chrono::milliseconds(kClReadTimeoutMs);
        int got = 0;
        switch (mode_) {
            case CameraLink2000:
                got = cl2000_.Read(buffer + total, 1, kClReadTimeoutMs);
                break;
            case CameraLink2001:
                got = cl2001_.Read(buffer + total, 1, kClReadTimeoutMs);
                break;
            default:
                got = clVer11_.Read(buffer + total, 1, kClReadTimeoutMs);
                break;
        }
        total += got;
        if (total >= count || Clock::now() >= end) return total;
        // A library that ignores the time-out and returns at once with nothing would make this
        // loop spin; wait out the slice it was given instead.
        if (got == 0) std::this_thread::sleep_until(std::min(sliceEnd, end));
    }
}

int CCommSetting::Write(const std::string& text) {
    const auto size = static_cast<uint32_t>(text.size());
    switch (mode_) {
        case ComPort:
            serial_.Write(text.data(), static_cast<int>(size));
            break;
        case CameraLink2000:
            cl2000_.Write(text.data(), size, kClWriteTimeoutMs);
            break;
        case CameraLink2001:
            cl2001_.Write(text.data(), size, kClWriteTimeoutMs);
            break;
        case CameraLinkVer11:
            clVer11_.Write(text.data(), size, kClWriteTimeoutMs);
            break;
        default:
            return 0;
    }
    // Whatever the line did: a lost byte shows as the camera's silence, not as a write failure.
    traffic_.LogTx(text);
    return 1;
}

void CCommSetting::Save() {
    registry_.WriteDword(app::kRegCommunicationMode, mode_);
    registry_.WriteDword(app::kRegBaudrate, baudRate_);
    registry_.WriteDword(app::kRegComPortNo, comPortIndex_);
    registry_.WriteDword(app::kRegCameralink2000Index, cl2000Index_);
    registry_.WriteDword(app::kRegCameralink2001Index, cl2001Index_);
    registry_.WriteDword(app::kRegCameralinkVer11Index, clVer11Index_);
    if (!comPortDevice_.empty()) registry_.WriteComPortDevice(portList_.StablePath(comPortDevice_));
}

bool CCommSetting::LinkSupportsRate(uint32_t rate) {
    switch (mode_) {
        case ComPort:
            return std::find(std::begin(kRates), std::end(kRates), rate) != std::end(kRates);
        case CameraLink2000:
            return cl2000_.SupportsRate(rate);
        case CameraLink2001:
            return cl2001_.SupportsRate(rate);
        case CameraLinkVer11:
            return clVer11_.SupportsRate(rate);
        default:
            return false;
    }
}

bool CCommSetting::IsOpen() const {
    switch (mode_) {
        case ComPort:
            return serial_.IsOpen();
        case CameraLink2000:
            return cl2000_.IsOpen();
        case CameraLink2001:
            return cl2001_.IsOpen();
        case CameraLinkVer11:
            return clVer11_.IsOpen();
        default:
            return false;
    }
}

std::string CCommSetting::LastLinkError() const {
    switch (mode_) {
        case CameraLink2000:
            return cl2000_.LastError();
        case CameraLink2001:
            return cl2001_.LastError();
        case CameraLinkVer11:
            return clVer11_.LastError();
        default:
            return {};
    }
}

}  // namespace vr::link
