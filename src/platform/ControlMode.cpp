#include "platform/ControlMode.h"

#include "platform/Registry.h"

namespace vr::platform {

ControlMode::ControlMode(CRegistry& registry) : registry_(registry) {
    registry_.ReadDword(kRegControlMode, value_, kUser);
}

ControlMode::~ControlMode() {
    Save();
}

void ControlMode::Save() {
    registry_.WriteDword(kRegControlMode, value_);
}

}  // namespace vr::platform
