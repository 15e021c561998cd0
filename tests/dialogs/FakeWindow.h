#pragma once
// A dialog window for the dialogs' logic without a window system: controls by id, created on first
// use, and the frame operations recorded.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "ui/ControlAccess.h"

namespace vr::test {

class FakeWindow : public ui::IControlAccess, public dialogs::IDialogFrame {
public:
    struct Control {
        std::string text;
        std::vector<std::pair<std::string, int32_t>> items;
        int curSel = -1;
        bool enabled = true;
        bool shown = true;
        int32_t picture = 0;
    };

    bool Exists(uint32_t id) const override { return controls_.count(id) != 0; }
    std::string GetText(uint32_t id) const override { return Get(id).text; }
    void SetText(uint32_t id, const std::string& text) override { controls_[id].text = text; }
    void ResetContent(uint32_t id) override {
        controls_[id].items.clear();
        controls_[id].curSel = -1;
    }
    int AddString(uint32_t id, const std::string& text) override {
        controls_[id].items.emplace_back(text, 0);
        return static_cast<int>(controls_[id].items.size()) - 1;
    }
    int GetCount(uint32_t id) const override { return static_cast<int>(Get(id).items.size()); }
    std::string GetItemText(uint32_t id, int index) const override { return Get(id).items.at(index).first; }
    void SetItemData(uint32_t id, int index, int32_t data) override { controls_[id].items.at(index).second = data; }
    int32_t GetItemData(uint32_t id, int index) const override { return Get(id).items.at(index).second; }
    int GetCurSel(uint32_t id) const override { return Get(id).curSel; }
    void SetCurSel(uint32_t id, int index) override {
        controls_[id].curSel = index >= 0 && index < GetCount(id) ? index : -1;
    }
    void SetSpinRange(uint32_t, int32_t, int32_t) override {}
    void GetSpinRange(uint32_t, int32_t& lo, int32_t& hi) const override { lo = hi = 0; }
    void SetSpinPos(uint32_t, int32_t) override {}
    int32_t GetSpinPos(uint32_t) const override { return 0; }
    void SetCheck(uint32_t, bool) override {}
    bool GetCheck(uint32_t) const override { return false; }
    void Enable(uint32_t id, bool enable) override { controls_[id].enabled = enable; }
    bool IsEnabled(uint32_t id) const override { return Get(id).enabled; }
    void Show(uint32_t id, bool show) override { controls_[id].shown = show; }
    bool IsShown(uint32_t id) const override { return Get(id).shown; }
    void SetPicture(uint32_t id, int32_t resource) override { controls_[id].picture = resource; }

    bool HasWindow() const override { return hasWindow; }
    void EnableWindow(bool enable) override { windowEnabled = enable; }
    void ShowWindow(bool show) override { visible = show; }

    const Control& Get(uint32_t id) const {
        static const Control kMissing;
        auto it = controls_.find(id);
        return it == controls_.end() ? kMissing : it->second;
    }
    std::vector<std::string> Items(uint32_t id) const {
        std::vector<std::string> texts;
        for (const auto& item : Get(id).items) texts.push_back(item.first);
        return texts;
    }

    bool hasWindow = true;
    bool windowEnabled = true;
    bool visible = false;

private:
    std::map<uint32_t, Control> controls_;
};

}  // namespace vr::test
