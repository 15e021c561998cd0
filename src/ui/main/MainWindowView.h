#pragma once
// What the main window's logic asks of its window: the title, the tabs, the page shown, greying,
// bringing it to the front, closing it, and the secondary windows. The desktop tool's Qt window
// implements it; where there are no windows (the command-line tool, most tests) NoWindowView does
// nothing.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::ui {

struct TabItem {
    int pageIndex;
    std::string title;
};

enum class SecondaryWindow { Communication, Terminal, LutEditors };

class IMainWindowView {
public:
    virtual ~IMainWindowView() = default;

    virtual void SetTitle(const std::string& title) { (void)title; }
    // The engine's timer, the terminal, the communication dialog (shown) and the pages (hidden).
    virtual void CreateWindows() {}
    virtual void DestroyWindows() {}
    virtual void ShowTabs(const std::vector<TabItem>& tabs) { (void)tabs; }
    virtual void ShowPage(int pageIndex) { (void)pageIndex; }
    // Greys or enables the menu items that are factory functions.
    virtual void EnableFactoryMenuItems(bool enable) { (void)enable; }
    virtual void EnableWindow(bool enable) { (void)enable; }
    virtual void Activate() {}
    virtual void Close() {}
    // Shows or hides a secondary window; false when this front has no such window.
    virtual bool ShowSecondary(SecondaryWindow window, bool show) {
        (void)window;
        (void)show;
        return false;
    }
    // The communication dialog follows the line: the rate now in use, the control mode.
    virtual void ShowCommunicationRate(int baudIndex) { (void)baudIndex; }
    virtual void AdaptCommunicationDialog(uint32_t controlMode) { (void)controlMode; }
    // The memory area the camera named with "EA", in the communication dialog's "Current Area".
    virtual void ShowCurrentArea(uint32_t area) { (void)area; }
    // A short text for the operator that needs no answer (why a change was put back, a range).
    virtual void ShowStatusText(const std::string& text) { (void)text; }
    // The line above the tabs that says the pages show old values; an empty text takes it away.
    virtual void ShowOfflineBanner(const std::string& text) { (void)text; }
};

class NoWindowView final : public IMainWindowView {};

}  // namespace vr::ui
