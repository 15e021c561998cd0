#pragma once
// The main window's logic with its window hooks recorded instead of drawn, for tests.

#include <string>
#include <vector>

#include "ui/main/CtrlToolDlg.h"

namespace vr::test {

class RecordingMainWindow : public ui::CCtrlToolDlg {
public:
    using CCtrlToolDlg::CCtrlToolDlg;

    std::vector<ui::TabItem> tabs;
    std::vector<int> commBaud;
    std::vector<int> pages;
    int lutEditorHides = 0;
    bool utilityMenu = false;
    std::string title;
    int closes = 0;

protected:
    void SetWindowTitle(const std::string& t) override { title = t; }
    void ShowTabs(const std::vector<ui::TabItem>& t) override { tabs = t; }
    void ShowPage(int page) override { pages.push_back(page); }
    void EnableUtilityMenu(bool enable) override { utilityMenu = enable; }
    void SelectCommunicationBaud(int index) override { commBaud.push_back(index); }
    void HideLutEditors() override { ++lutEditorHides; }
    void CloseWindow() override { ++closes; }
};

}  // namespace vr::test
