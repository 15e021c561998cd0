#include "link/CommSettingLineControl.h"

#include "link/CommSetting.h"

namespace vr::link {

uint32_t CommSettingLineControl::GetMode() const {
    return setting_.GetMode();
}
void CommSettingLineControl::SetMode(uint32_t mode) {
    setting_.SetMode(mode);
}
int CommSettingLineControl::GetBaudIndex() const {
    return setting_.GetBaudIndex();
}
uint32_t CommSettingLineControl::GetPortIndex() const {
    return setting_.GetPortIndex();
}
int CommSettingLineControl::GetPortCount() {
    return setting_.GetPortCount();
}
std::string CommSettingLineControl::GetPortName(int index) {
    return setting_.GetPortName(index);
}
int CommSettingLineControl::Reopen() {
    return setting_.Reopen();
}
int CommSettingLineControl::OpenMode(uint32_t mode) {
    return setting_.OpenMode(mode);
}
int CommSettingLineControl::OpenPort(uint32_t portIndex) {
    return setting_.OpenPort(portIndex);
}
int CommSettingLineControl::OpenBaud(uint32_t rate) {
    return setting_.OpenBaud(rate);
}
void CommSettingLineControl::Close() {
    setting_.Close();
}
bool CommSettingLineControl::LinkSupportsRate(uint32_t rate) {
    return setting_.LinkSupportsRate(rate);
}
int CommSettingLineControl::AddDevicePath(const std::string& path) {
    return setting_.AddDevicePath(path);
}

std::string CommSettingLineControl::AbsentRememberedDevice() {
    return setting_.AbsentRememberedDevice();
}

void CommSettingLineControl::SendWakeUpBytes(int count) {
    static const char kZero = '\0';
    if (setting_.GetMode() == Network) {
        // What the server still holds from another rate goes first.
        NetworkLinkDriver& network = setting_.NetworkDriver();
        network.Purge();
        for (int i = 0; i < count; ++i) network.Write(std::string(1, kZero));
        return;
    }
    // In the Camera Link modes the serial port is closed: nothing goes out.
    if (setting_.GetMode() != ComPort) return;
    for (int i = 0; i < count; ++i) setting_.SerialPort().Write(&kZero, 1);
}

}  // namespace vr::link
