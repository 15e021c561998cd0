#pragma once
// The communication dialog's line operations on the process's link object.

#include "dialogs/CommLine.h"

namespace vr::link {
class CCommSetting;
}

namespace vr::dialogs {

class CommSettingLine final : public ICommLine {
public:
    explicit CommSettingLine(link::CCommSetting& setting) : setting_(setting) {}

    uint32_t GetMode() const override;
    void SetMode(uint32_t mode) override;
    int GetBaudIndex() const override;
    uint32_t GetPortIndex() const override;
    int GetPortCount() override;
    std::string GetPortName(int index) override;
    int OpenMode(uint32_t mode) override;
    int OpenPort(uint32_t portIndex) override;
    int OpenBaud(uint32_t rate) override;
    void SendWakeUpBytes(int count) override;
    bool LinkSupportsRate(uint32_t rate) override;
    int AddDevicePath(const std::string& path) override;

private:
    link::CCommSetting& setting_;
};

}  // namespace vr::dialogs
