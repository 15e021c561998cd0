#include "ui/main/ListCodes.h"

#include <vector>

namespace vr::ui {

void ApplyComboCodes(platform::IControlAccess& controls) {
    for (uint32_t id : protocol::CodedCombos()) {
        const std::vector<int32_t> codes = protocol::CodesOf(id);
        const int count = controls.ItemCount(id);
        for (int i = 0; i < count && i < static_cast<int>(codes.size()); ++i) controls.SetItemValue(id, i, codes[i]);
    }
}

}  // namespace vr::ui
