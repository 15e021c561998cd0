#pragma once
// Where the main window sends the menu commands, buttons and list selections that belong to a
// feature (settings files, memory areas, one-push functions, LUT tables, shading, identity). Each
// feature module registers its handlers here when the program is put together; the main window
// itself knows none of them. An id that a feature owns but nobody registered tells the operator
// plainly that the function is not available.

#include <cstdint>
#include <functional>
#include <map>

namespace vr::ui {

class FeatureRouter {
public:
    using Action = std::function<void()>;
    // A list whose items start a feature gets the index the operator selected.
    using Selection = std::function<void(int index)>;

    // A later registration of the same id replaces the earlier one.
    void AddMenuCommand(uint32_t menuId, Action action) { menus_[menuId] = std::move(action); }
    void AddButton(uint32_t ctrlId, Action action) { buttons_[ctrlId] = std::move(action); }
    void AddSelection(uint32_t comboId, Selection action) { selections_[comboId] = std::move(action); }

    bool HasMenuCommand(uint32_t menuId) const { return menus_.count(menuId) != 0; }
    bool HasButton(uint32_t ctrlId) const { return buttons_.count(ctrlId) != 0; }
    bool HasSelection(uint32_t comboId) const { return selections_.count(comboId) != 0; }

    // Runs the handler; false when none is registered.
    bool RunMenuCommand(uint32_t menuId) const;
    bool RunButton(uint32_t ctrlId) const;
    bool RunSelection(uint32_t comboId, int index) const;

    // Page buttons and lists that start a feature's work (as opposed to the main window's own).
    static bool IsFeatureButton(uint32_t ctrlId);
    static bool IsFeatureSelection(uint32_t comboId);

    static constexpr const char* kNotAvailableText = "This function is not available in this version of the tool.";

private:
    std::map<uint32_t, Action> menus_;
    std::map<uint32_t, Action> buttons_;
    std::map<uint32_t, Selection> selections_;
};

}  // namespace vr::ui
