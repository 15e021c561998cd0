#pragma once
// The main window's line bound to the process's link object.

#include "ui/main/CameraLine.h"

namespace vr::link {
class CCommSetting;
}

namespace vr::ui {

class CommSettingCameraLine final : public ICameraLine {
public:
    explicit CommSettingCameraLine(link::CCommSetting& setting) : setting_(setting) {}

    int Reopen() override;
    int OpenBaudIndex(int index) override;
    int GetBaudIndex() const override;
    bool SupportsRate(uint32_t rate) override;
    void SendWakeUpBytes(int count) override;
    void Close() override;

private:
    link::CCommSetting& setting_;
};

// The process's line, over CCommSetting::Instance().
ICameraLine& DefaultCameraLine();

}  // namespace vr::ui
