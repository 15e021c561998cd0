#pragma once
// How the windows' logic reaches its controls: by numeric id only. The Qt desktop tool binds real
// widgets to the ids; the headless control model serves the command-line tool and the tests.
//
// Operations on an id that names no control do nothing; reads of such an id give the empty text,
// 0 items, index -1, position 0, unchecked, disabled and hidden.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::platform {

class IControlAccess {
public:
    virtual ~IControlAccess() = default;

    virtual bool Exists(uint32_t id) const = 0;

    // Window text: an edit's contents, a static's or a button's caption.
    virtual std::string GetText(uint32_t id) const = 0;
    virtual void SetText(uint32_t id, const std::string& text) = 0;

    // Lists (combo boxes and list boxes). Indices are 0-based; -1 means no selection.
    virtual void ClearItems(uint32_t id) = 0;
    virtual int AddItem(uint32_t id, const std::string& text) = 0;  // returns the new item's index
    virtual int ItemCount(uint32_t id) const = 0;
    virtual std::string ItemText(uint32_t id, int index) const = 0;
    virtual void SetItemValue(uint32_t id, int index, int32_t data) = 0;
    virtual int32_t ItemValue(uint32_t id, int index) const = 0;
    virtual int Selection(uint32_t id) const = 0;
    // An index outside the list clears the selection.
    virtual void SetSelection(uint32_t id, int index) = 0;

    // Inserts an item before `index` (at the end when index is -1 or past the end) with value 0;
    // returns its index. The selection stays on the item it was on.
    virtual int InsertItem(uint32_t id, int index, const std::string& text);
    // Removes an item; a selection of that item is cleared, a later one moves up with its item.
    virtual void RemoveItem(uint32_t id, int index);
    // Index of the first item whose text is exactly `text`, or -1.
    virtual int FindItem(uint32_t id, const std::string& text) const;
    // A log's line: appends an item and, when the list then holds more than `maxCount`, drops the
    // oldest ones, so the newest lines are always there.
    virtual void AddItemBounded(uint32_t id, const std::string& text, int maxCount);

    // Spin (up-down) controls, addressed by the spin's own id. A position is kept within the range.
    virtual void SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) = 0;
    virtual void GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const = 0;
    virtual void SetSpinPos(uint32_t id, int32_t pos) = 0;
    virtual int32_t GetSpinPos(uint32_t id) const = 0;

    // Check boxes and radio buttons.
    virtual void SetCheck(uint32_t id, bool checked) = 0;
    virtual bool GetCheck(uint32_t id) const = 0;

    virtual void Enable(uint32_t id, bool enable) = 0;
    virtual bool IsEnabled(uint32_t id) const = 0;
    // Shown means "not hidden by the logic": a control on a page that is not in front is still shown.
    virtual void Show(uint32_t id, bool show) = 0;
    virtual bool IsShown(uint32_t id) const = 0;

    // Picture controls such as the online/offline strip: the bitmap resource they show (302 red,
    // 303 green). Windows without such a picture may ignore it.
    virtual void SetPicture(uint32_t id, int32_t resource) {
        (void)id;
        (void)resource;
    }
};

inline int IControlAccess::InsertItem(uint32_t id, int index, const std::string& text) {
    // Rebuild the list through the basic operations, keeping texts, data and the selection.
    const int count = ItemCount(id);
    if (index < 0 || index > count) index = count;
    std::vector<std::string> texts;
    std::vector<int32_t> data;
    for (int i = 0; i < count; ++i) {
        texts.push_back(ItemText(id, i));
        data.push_back(ItemValue(id, i));
    }
    int sel = Selection(id);
    texts.insert(texts.begin() + index, text);
    data.insert(data.begin() + index, 0);
    if (sel >= index) ++sel;
    ClearItems(id);
    for (size_t i = 0; i < texts.size(); ++i) {
        AddItem(id, texts[i]);
        SetItemValue(id, static_cast<int>(i), data[i]);
    }
    SetSelection(id, sel);
    return index;
}

inline void IControlAccess::RemoveItem(uint32_t id, int index) {
    const int count = ItemCount(id);
    if (index < 0 || index >= count) return;
    std::vector<std::string> texts;
    std::vector<int32_t> data;
    for (int i = 0; i < count; ++i) {
        if (i == index) continue;
        texts.push_back(ItemText(id, i));
        data.push_back(ItemValue(id, i));
    }
    int sel = Selection(id);
    if (sel == index)
        sel = -1;
    else if (sel > index)
        --sel;
    ClearItems(id);
    for (size_t i = 0; i < texts.size(); ++i) {
        AddItem(id, texts[i]);
        SetItemValue(id, static_cast<int>(i), data[i]);
    }
    SetSelection(id, sel);
}

inline void IControlAccess::AddItemBounded(uint32_t id, const std::string& text, int maxCount) {
    AddItem(id, text);
    while (ItemCount(id) > maxCount && ItemCount(id) > 0) RemoveItem(id, 0);
}

inline int IControlAccess::FindItem(uint32_t id, const std::string& text) const {
    const int count = ItemCount(id);
    for (int i = 0; i < count; ++i)
        if (ItemText(id, i) == text) return i;
    return -1;
}

}  // namespace vr::platform
