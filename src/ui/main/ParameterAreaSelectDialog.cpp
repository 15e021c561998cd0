#include "ui/main/ParameterAreaSelectDialog.h"

namespace vr::ui {

CParameterAreaSelectDialog::CParameterAreaSelectDialog(platform::IControlAccess& controls,
                                                       protocol::OnlineStatusBroadcaster& status,
                                                       protocol::DialogRegistry& dialogs, AreaDialogMode mode,
                                                       bool factoryMode)
    : controls_(controls), status_(status), dialogs_(dialogs), mode_(mode), factoryMode_(factoryMode) {
    if (mode_ == AreaDialogMode::Load) {
        title_ = "Load setting data";
        prompt_ = "Select the flash memory area to load setting data";
    } else {
        title_ = "Store setting data";
        prompt_ = "Select the flash memory area to save setting data";
    }
}

CParameterAreaSelectDialog::~CParameterAreaSelectDialog() {
    status_.Unregister(this);
    dialogs_.Remove(this);
}

std::vector<std::string> CParameterAreaSelectDialog::Items() const {
    std::vector<std::string> items;
    // The factory area may be overwritten from here only in factory mode.
    if (mode_ == AreaDialogMode::Load || factoryMode_) items.push_back("Factory");
    for (const char* user : {"User 1", "User 2", "User 3"}) items.push_back(user);
    return items;
}

void CParameterAreaSelectDialog::OnInitDialog() {
    initialised_ = true;
    status_.Register(this);
    dialogs_.Add(this);
    controls_.ClearItems(kAreaCombo);
    for (const std::string& item : Items()) controls_.AddItem(kAreaCombo, item);
    controls_.SetSelection(kAreaCombo, 0);
    controls_.SetText(kAreaPrompt, prompt_);
}

int CParameterAreaSelectDialog::AreaFromText(const std::string& text) {
    if (text == "Factory") return 0;
    if (text == "User 1") return 1;
    if (text == "User 2") return 2;
    if (text == "User 3") return 3;
    return kNoArea;
}

int CParameterAreaSelectDialog::OnOK() const {
    const int sel = controls_.Selection(kAreaCombo);
    return AreaFromText(sel < 0 ? std::string() : controls_.ItemText(kAreaCombo, sel));
}

}  // namespace vr::ui
