#pragma once
// The main window's menu (menu 600): top-level menus in position order and every command item with
// its id. The desktop tool builds its menu bar from this table; the logic dispatches by id.

#include <cstdint>
#include <span>

namespace vr::ui {

enum class MenuAction {
    OpenSettingsFile,
    SaveAllData,
    SaveShippingData,
    CompareWithFile,
    Exit,
    Reload,
    LoadSettings,
    StoreSettings,
    EditUserId,
    EditCameraId,
    OpenLutFile,
    SaveLutFile,
    LoadAllLutTables,
    About,
    OpenCommunicationDialog,
    OpenTerminal,
};

struct MenuItem {
    uint32_t id;
    int menuPosition;     // index of its top-level menu
    const char* submenu;  // caption of the submenu it stands in, empty for none
    const char* caption;
    MenuAction action;
    bool factoryOnly = false;  // greyed outside factory mode
};

// The Utility menu: the identity editors there are factory functions, the terminal is for everyone.
inline constexpr int kUtilityMenuPosition = 2;

// Top-level captions, by position.
std::span<const char* const> MenuCaptions();
// Items in menu order.
std::span<const MenuItem> MenuItems();
// The item of an id, or nullptr.
const MenuItem* FindMenuItem(uint32_t id);

}  // namespace vr::ui
