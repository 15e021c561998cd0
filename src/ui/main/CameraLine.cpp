#include "ui/main/CameraLine.h"

namespace vr::ui {

uint32_t RateOfIndex(int index) {
    static constexpr uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200};
    return index >= 0 && index < 5 ? kRates[index] : 9600;
}

}  // namespace vr::ui
