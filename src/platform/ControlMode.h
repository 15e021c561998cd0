#pragma once
// The control mode: 0 user mode, 1 factory mode. Read from the settings store when made and
// written back when destroyed (a normal program end).

#include <cstdint>

namespace vr::platform {

class CRegistry;

class ControlMode {
public:
    static constexpr uint32_t kUser = 0;
    static constexpr uint32_t kFactory = 1;

    explicit ControlMode(CRegistry& registry);
    ~ControlMode();  // saves
    ControlMode(const ControlMode&) = delete;
    ControlMode& operator=(const ControlMode&) = delete;

    uint32_t Get() const { return value_; }
    void Set(uint32_t value) { value_ = value; }
    bool IsFactory() const { return value_ == kFactory; }

    void Save();

private:
    CRegistry& registry_;
    uint32_t value_ = kUser;
};

}  // namespace vr::platform
