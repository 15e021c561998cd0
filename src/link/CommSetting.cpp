#include "link/CommSetting.h"

#include "platform/Platform.h"
#include "platform/Registry.h"
#include "protocol/TrafficLog.h"

namespace vr::link {
namespace {

std::string StoredDevice(platform::CRegistry& registry) {
    std::string device;
    registry.ReadComPortDevice(device);
    return device;
}

}  // namespace

CCommSetting::CCommSetting(platform::CRegistry& registry, platform::IPlatform& platform, protocol::TrafficLog& traffic,
                           SerialPortList portList, const platform::SysCalls& calls)
    : registry_(registry),
      traffic_(traffic),
      platform_(platform),
      cl2000_(platform),
      cl2001_(platform),
      clVer11_(platform),
      serial_(platform, std::move(portList), StoredDevice(registry), calls),
      network_(platform, NetworkTiming(), calls) {
    registry_.ReadDword(platform::kRegCommunicationMode, mode_, 0);
    registry_.ReadDword(platform::kRegComPortNo, portIndex_[ComPort], 0);
    registry_.ReadDword(platform::kRegCameralink2000Index, portIndex_[CameraLink2000], 0);
    registry_.ReadDword(platform::kRegCameralink2001Index, portIndex_[CameraLink2001], 0);
    registry_.ReadDword(platform::kRegCameralinkVer11Index, portIndex_[CameraLinkVer11], 0);
    std::string address;
    if (registry_.ReadNetworkAddress(address) == 1) network_.SetAddress(address);
    // "Baudrate" is written at exit but never read back: a camera always wakes at 9600.
}

CCommSetting::~CCommSetting() {
    Close();
    if (saveOnExit_) Save();
}

void CCommSetting::SetPortIndex(uint32_t index) {
    if (!ValidMode()) return;
    portIndex_[mode_] = index;
    if (mode_ == ComPort) serial_.Remember(static_cast<int>(index));
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
    return ValidMode() ? portIndex_[mode_] : 0;
}

int CCommSetting::GetPortCount() {
    if (!ValidMode()) return 0;
    const int count = Driver().PortCount();
    if (mode_ != ComPort) return count;
    // The remembered device may have been added to the list just now; one that is gone keeps its
    // number until the operator chooses another port.
    const int64_t index = serial_.RememberedIndex(portIndex_[ComPort]);
    if (index >= 0) portIndex_[ComPort] = static_cast<uint32_t>(index);
    return serial_.List().Count();
}

std::string CCommSetting::GetPortName(int index) {
    return ValidMode() ? Driver().PortName(index) : "ERROR";
}

std::string CCommSetting::GetPortDevice(int index) {
    return serial_.Device(index);
}

std::string CCommSetting::AbsentRememberedDevice() {
    if (mode_ != ComPort) return {};
    return serial_.RememberedIndex(portIndex_[ComPort]) < 0 ? serial_.Remembered() : std::string();
}

std::string CCommSetting::RememberedDevice() const {
    return mode_ == ComPort ? serial_.Remembered() : std::string();
}

int CCommSetting::AddDevicePath(const std::string& path) {
    if (mode_ != Network) return serial_.AddDevicePath(path);
    if (path.empty()) return -1;
    // "HOST:PORT" typed into the port box means a port server.
    SetNetworkAddress(NetworkAddress::Names(path) ? path : "rfc2217://" + path);
    return 0;
}

int CCommSetting::Open(uint32_t mode, uint32_t rate, uint32_t portIndex) {
    // A port server changes the line's rate on the open connection: connecting afresh for each
    // rate of the search would cost a connection each time and lose what the server holds.
    if (mode == Network && mode_ == Network && portIndex == portIndex_[Network] && network_.IsOpen() &&
        !network_.Lost()) {
        const int changed = network_.ChangeRate(rate);
        if (changed == 1) baudRate_ = rate;
        return changed;
    }
    Close();
    // Mode and rate stay stored even when the open fails; they are saved at exit.
    mode_ = mode;
    baudRate_ = rate;
    if (!ValidMode()) return 0;
    portIndex_[mode_] = portIndex;
    const int opened = Driver().Open(portIndex, rate);
    if (opened == 1 && mode_ == ComPort && !serial_.Port().LowLatencyNote().empty())
        traffic_.LogNote(serial_.Port().LowLatencyNote());
    if (opened == 1 && mode_ == Network) NoteNetworkLink();
    // Each opening at another rate sees the same holders: they are told once.
    if (const std::string note = HolderNote(); !note.empty() && note != holderNoteTold_) {
        holderNoteTold_ = note;
        traffic_.LogNote(note);
        platform_.MessageBox(note, platform::kAppTitle, platform::MsgIcon::Exclamation);
    }
    return opened;
}

void CCommSetting::NoteNetworkLink() {
    std::string note;
    if (!network_.Rfc2217())
        note = network_.Address() + " is a raw bridge: the line stays at the bridge's rate and is never raised";
    else if (!network_.Signature().empty())
        note = "port server: " + network_.Signature();
    if (note.empty() || note == networkNoteTold_) return;
    networkNoteTold_ = note;
    traffic_.LogNote(note);
}

void CCommSetting::SetNetworkAddress(const std::string& address) {
    network_.SetAddress(address);
}

std::string CCommSetting::HolderNote() {
    return mode_ == ComPort && serial_.Port().IsOpen() ? serial_.Port().HolderNote() : std::string();
}

int CCommSetting::Open(uint32_t mode, uint32_t rate) {
    if (mode >= kModeCount) return Open(mode, rate, 0);
    if (mode == ComPort) {
        // The remembered device may sit at another index now (an adapter in another socket). One
        // that is not there is never replaced by whatever device now has its old number.
        const int64_t index = serial_.RememberedIndex(portIndex_[ComPort]);
        if (index < 0) {
            Close();
            mode_ = mode;
            baudRate_ = rate;
            return serial_.ReportAbsent();
        }
        portIndex_[ComPort] = static_cast<uint32_t>(index);
    }
    return Open(mode, rate, portIndex_[mode]);
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
    if (ValidMode()) Driver().Close();
}

int CCommSetting::Read(char* buffer, int count, std::chrono::milliseconds timeout) {
    if (count < 1) return 0;
    if (!ValidMode()) {
        // No link: nothing can arrive, but the caller still gets the wait it asked for.
        std::this_thread::sleep_for(std::max(timeout, std::chrono::milliseconds(0)));
        return 0;
    }
    return Driver().Read(buffer, count, timeout);
}

int CCommSetting::Write(const std::string& text) {
    if (!ValidMode()) return 0;
    Driver().Write(text);
    // Whatever the line did: a lost byte shows as the camera's silence, not as a write failure.
    traffic_.LogTx(text);
    return 1;
}

void CCommSetting::Save() {
    registry_.WriteDword(platform::kRegCommunicationMode, mode_);
    registry_.WriteDword(platform::kRegBaudrate, baudRate_);
    registry_.WriteDword(platform::kRegComPortNo, portIndex_[ComPort]);
    registry_.WriteDword(platform::kRegCameralink2000Index, portIndex_[CameraLink2000]);
    registry_.WriteDword(platform::kRegCameralink2001Index, portIndex_[CameraLink2001]);
    registry_.WriteDword(platform::kRegCameralinkVer11Index, portIndex_[CameraLinkVer11]);
    const std::string device = serial_.RememberedStablePath();
    if (!device.empty()) registry_.WriteComPortDevice(device);
    if (!network_.Address().empty()) registry_.WriteNetworkAddress(network_.Address());
}

bool CCommSetting::LinkSupportsRate(uint32_t rate) {
    return ValidMode() && Driver().SupportsRate(rate);
}

bool CCommSetting::IsOpen() const {
    return ValidMode() && Driver().IsOpen();
}

bool CCommSetting::Lost() const {
    return ValidMode() && Driver().Lost();
}

std::string CCommSetting::LostReason() const {
    return ValidMode() ? Driver().LostReason() : std::string();
}

std::string CCommSetting::LastLinkError() const {
    return ValidMode() ? Driver().LastError() : std::string();
}

}  // namespace vr::link
