#pragma once
// The main window's keyboard handling before a key reaches a control: the hidden factory-mode key
// sequence, and Enter and Escape by the kind of the focused control. Keys are Windows virtual-key
// codes (letters are their upper-case character codes); the desktop tool translates its keys.

#include <string>

namespace vr::ui {

inline constexpr int kVkReturn = 13;
inline constexpr int kVkEscape = 27;
inline constexpr int kVkF12 = 123;

// Shift+Ctrl+F12 arms the sequence; the three letters of the access code then toggle the control
// mode. Any other key disarms it.
class FactoryKeySequence {
public:
    enum class Step {
        Idle,      // not armed; the key goes on as usual
        Armed,     // Shift+Ctrl+F12: armed, the key is used up
        Advanced,  // the next code letter
        Complete,  // the last code letter: toggle the control mode
        Broken,    // a wrong key while armed: disarmed
    };

    Step Feed(int vk, bool shift, bool ctrl);
    bool Armed() const { return armed_; }
    int Position() const { return position_; }

    // The access code, assembled from its letters so that it does not stand in the binary as a word.
    static std::string AccessCode();

private:
    bool armed_ = false;
    int position_ = 0;
};

enum class FocusKind { Other, Edit, Combo, Button };

struct KeyTranslation {
    int vk;          // the key the dialog sees next: F12 means "nothing"
    bool applyEdit;  // Enter in an edit: apply its value now
};

// Enter and Escape: an edit applies its value on Enter; a combo keeps Enter while its list is open
// and turns Escape into Enter then (so only the list closes); other cases become F12 so the dialog
// neither closes nor presses its default button. Escape elsewhere keeps its meaning (close).
KeyTranslation TranslateKey(int vk, FocusKind focus, bool comboDroppedDown);

}  // namespace vr::ui
