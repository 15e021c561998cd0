#include "ui/main/CommSettingCameraLine.h"

#include "link/CommSetting.h"

namespace vr::ui {

int CommSettingCameraLine::Reopen() {
    return setting_.Reopen();
}

int CommSettingCameraLine::OpenBaudIndex(int index) {
    return setting_.OpenBaud(link::CCommSetting::BaudIndexToRate(index));
}

int CommSettingCameraLine::GetBaudIndex() const {
    return setting_.GetBaudIndex();
}

bool CommSettingCameraLine::SupportsRate(uint32_t rate) {
    return setting_.LinkSupportsRate(rate);
}

void CommSettingCameraLine::SendWakeUpBytes(int count) {
    // Only the serial port link carries them; the Camera Link modes have the serial port closed.
    if (setting_.GetMode() != link::ComPort) return;
    static const char kZero = '\0';
    for (int i = 0; i < count; ++i) setting_.SerialPort().Write(&kZero, 1);
}

void CommSettingCameraLine::Close() {
    setting_.Close();
}

ICameraLine& DefaultCameraLine() {
    static CommSettingCameraLine line(link::CCommSetting::Instance());
    return line;
}

}  // namespace vr::ui
