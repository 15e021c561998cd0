#pragma once
// The windows' line operations on a CCommSetting.

#include "link/LineControl.h"

namespace vr::link {

class CCommSetting;

class CommSettingLineControl final : public ILineControl {
public:
    explicit CommSettingLineControl(CCommSetting& setting) : setting_(setting) {}

    uint32_t GetMode() const override;
    void SetMode(uint32_t mode) override;
    int GetBaudIndex() const override;
    uint32_t GetPortIndex() const override;
    int GetPortCount() override;
    std::string GetPortName(int index) override;
    int Reopen() override;
    int OpenMode(uint32_t mode) override;
    int OpenPort(uint32_t portIndex) override;
    int OpenBaud(uint32_t rate) override;
    void Close() override;
    bool LinkSupportsRate(uint32_t rate) override;
    void SendWakeUpBytes(int count) override;
    int AddDevicePath(const std::string& path) override;
    std::string AbsentRememberedDevice() override;

private:
    CCommSetting& setting_;
};

}  // namespace vr::link
