#pragma once
// The logic of the memory-area selection dialog (template 108, "Parameter Flash Area Select"): which
// areas it offers, its title and prompt, and the area number of the choice. The window around it is
// the desktop tool's; the command-line tool and tests drive the same logic over a control model.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ControlAccess.h"
#include "protocol/OnlineStatus.h"

namespace vr::ui {

enum class AreaDialogMode { Store = 0, Load = 1 };

inline constexpr uint32_t kAreaCombo = 1015;
inline constexpr uint32_t kAreaPrompt = 1020;
inline constexpr uint32_t kAreaStatusStrip = 1060;
inline constexpr int kNoArea = -1;

class CParameterAreaSelectDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    CParameterAreaSelectDialog(platform::IControlAccess& controls, protocol::OnlineStatusBroadcaster& status,
                               protocol::DialogRegistry& dialogs, AreaDialogMode mode, bool factoryMode);
    ~CParameterAreaSelectDialog() override;
    CParameterAreaSelectDialog(const CParameterAreaSelectDialog&) = delete;
    CParameterAreaSelectDialog& operator=(const CParameterAreaSelectDialog&) = delete;

    // Registers with the status strip and the dialog registry, fills the list and selects its first
    // item, sets the prompt.
    void OnInitDialog();
    // The area of the selected item: 0 "Factory", 1 to 3 "User 1" to "User 3", -1 for anything else.
    int OnOK() const;

    const std::string& Title() const { return title_; }
    const std::string& Prompt() const { return prompt_; }
    // The items offered: "Factory" when loading, or storing in factory mode; then the three user areas.
    std::vector<std::string> Items() const;

    static int AreaFromText(const std::string& text);

    // COnlineStatusUpdater, IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override { controls_.SetPicture(kAreaStatusStrip, picture); }
    bool HasWindow() const override { return initialised_; }
    void EnableWindow(bool enable) override { enabled_ = enable; }
    bool Enabled() const { return enabled_; }

private:
    platform::IControlAccess& controls_;
    protocol::OnlineStatusBroadcaster& status_;
    protocol::DialogRegistry& dialogs_;
    AreaDialogMode mode_;
    bool factoryMode_;
    std::string title_;
    std::string prompt_;
    bool initialised_ = false;
    bool enabled_ = true;
};

}  // namespace vr::ui
