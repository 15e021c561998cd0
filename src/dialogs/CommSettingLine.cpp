#include "dialogs/CommSettingLine.h"

#include "link/CommSetting.h"

namespace vr::dialogs {

uint32_t CommSettingLine::GetMode() const {
    return setting_.GetMode();
}
void CommSettingLine::SetMode(uint32_t mode) {
    setting_.SetMode(mode);
}
int CommSettingLine::GetBaudIndex() const {
    return setting_.GetBaudIndex();
}
uint32_t CommSettingLine::GetPortIndex() const {
    return setting_.GetPortIndex();
}
int CommSettingLine::GetPortCount() {
    return setting_.GetPortCount();
}
std::string CommSettingLine::GetPortName(int index) {
    return setting_.GetPortName(index);
}
int CommSettingLine::OpenMode(uint32_t mode) {
    return setting_.OpenMode(mode);
}
int CommSettingLine::OpenPort(uint32_t portIndex) {
    return setting_.OpenPort(portIndex);
}
int CommSettingLine::OpenBaud(uint32_t rate) {
    return setting_.OpenBaud(rate);
}
bool CommSettingLine::LinkSupportsRate(uint32_t rate) {
    return setting_.LinkSupportsRate(rate);
}
int CommSettingLine::AddDevicePath(const std::string& path) {
    return setting_.AddDevicePath(path);
}

void CommSettingLine::SendWakeUpBytes(int count) {
    // In the Camera Link modes the serial port is closed: nothing goes out.
    if (setting_.GetMode() != link::ComPort) return;
    static const char kZero = '\0';
    for (int i = 0; i < count; ++i) setting_.SerialPort().Write(&kZero, 1);
}

}  // namespace vr::dialogs
