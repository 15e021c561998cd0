#pragma once
// The main window's logic with a view that records what the logic asks of its window, for tests.

#include <string>
#include <vector>

#include "ui/main/CtrlToolDlg.h"
#include "ui/main/MainWindowView.h"

namespace vr::test {

class RecordingView : public ui::IMainWindowView {
public:
    void ShowTabs(const std::vector<ui::TabItem>& t) override { tabs = t; }
    void ShowPage(int page) override { pages.push_back(page); }
    void EnableFactoryMenuItems(bool enable) override { factoryMenuItems = enable; }
    void ShowCommunicationRate(int index) override { commBaud.push_back(index); }
    void Close() override { ++closes; }
    void ShowStatusText(const std::string& text) override { statusTexts.push_back(text); }

    std::vector<ui::TabItem> tabs;
    std::vector<int> commBaud;
    std::vector<int> pages;
    std::vector<std::string> statusTexts;
    bool factoryMenuItems = false;
    int closes = 0;
};

// The view first, so it exists before the logic that is given it.
class RecordingMainWindow : public RecordingView, public ui::CCtrlToolDlg {
public:
    RecordingMainWindow(camera::Services& services, platform::IControlAccess& controls)
        : ui::CCtrlToolDlg(services, controls, static_cast<RecordingView&>(*this)) {}
};

}  // namespace vr::test
