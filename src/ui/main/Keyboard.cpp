#include "ui/main/Keyboard.h"

namespace vr::ui {

std::string FactoryKeySequence::AccessCode() {
    const char first = 'V';
    const char second = 'R';
    const char third = 'F';
    return std::string{first, second, third};
}

FactoryKeySequence::Step FactoryKeySequence::Feed(int vk, bool shift, bool ctrl) {
    if (shift && ctrl && vk == kVkF12) {
        armed_ = true;
        position_ = 0;
        return Step::Armed;
    }
    if (!armed_) return Step::Idle;
    const std::string code = AccessCode();
    if (vk != static_cast<unsigned char>(code[position_])) {
        armed_ = false;
        position_ = 0;
        return Step::Broken;
    }
    if (++position_ < static_cast<int>(code.size())) return Step::Advanced;
    armed_ = false;
    position_ = 0;
    return Step::Complete;
}

KeyTranslation TranslateKey(int vk, FocusKind focus, bool comboDroppedDown) {
    if (vk == kVkReturn) {
        switch (focus) {
            case FocusKind::Edit:
                return {kVkF12, true};
            case FocusKind::Combo:
                return {comboDroppedDown ? kVkReturn : kVkF12, false};
            case FocusKind::Button:
                return {kVkF12, false};
            case FocusKind::Other:
                break;
        }
    } else if (vk == kVkEscape) {
        switch (focus) {
            case FocusKind::Edit:
            case FocusKind::Button:
                return {kVkF12, false};
            case FocusKind::Combo:
                return {comboDroppedDown ? kVkReturn : kVkF12, false};
            case FocusKind::Other:
                break;
        }
    }
    return {vk, false};
}

}  // namespace vr::ui
