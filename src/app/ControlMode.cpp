#include "app/ControlMode.h"

#include "app/Registry.h"

namespace vr::app {

ControlMode::ControlMode(CRegistry& registry) : registry_(registry) {
    registry_.ReadDword(kRegControlMode, value_, kUser);
}

ControlMode::~ControlMode() {
    Save();
}

void ControlMode::Save() {
    registry_.WriteDword(kRegControlMode, value_);
}

}  // namespace vr::app
