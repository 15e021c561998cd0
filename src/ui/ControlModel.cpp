#include "ui/ControlModel.h"

#include <algorithm>

namespace vr::ui {

ControlModel::ControlModel() {
    for (const PageLayout& page : PageLayouts()) {
        for (const GroupLayout& group : page.groups) {
            if (group.groupId != 0) {
                AddControl(group.groupId, CtrlType::Group);
                controls_[group.groupId].text = group.caption;
            }
            for (const RowLayout& row : group.rows) {
                if (row.labelId != 0) {
                    AddControl(row.labelId, CtrlType::Label);
                    controls_[row.labelId].text = row.label;
                }
                for (uint32_t id : row.controls) {
                    const PageControl* c = FindControl(id);
                    AddControl(id, c->type);
                    State& s = controls_[id];
                    s.text = c->text;
                    for (const std::string& item : TemplateItems(id)) s.items.emplace_back(item, 0);
                    // A spin starts at 0..100 until the start-up gives it its row's range.
                    if (c->spinId != 0) AddControl(c->spinId, CtrlType::Spin);
                }
            }
        }
    }
    AddControl(kMainStatusStrip, CtrlType::Static);
}

void ControlModel::AddControl(uint32_t id, CtrlType type) {
    State s;
    s.type = type;
    controls_[id] = s;
}

CtrlType ControlModel::Type(uint32_t id) const {
    const State* s = Find(id);
    return s == nullptr ? CtrlType::None : s->type;
}

ControlModel::State* ControlModel::Find(uint32_t id) {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

const ControlModel::State* ControlModel::Find(uint32_t id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

bool ControlModel::Exists(uint32_t id) const {
    return Find(id) != nullptr;
}

std::string ControlModel::GetText(uint32_t id) const {
    const State* s = Find(id);
    if (s == nullptr) return {};
    // A drop-down list's window text is its selected item.
    if (s->type == CtrlType::Combo)
        return s->curSel >= 0 && s->curSel < static_cast<int>(s->items.size()) ? s->items[s->curSel].first
                                                                               : std::string();
    return s->text;
}

void ControlModel::SetText(uint32_t id, const std::string& text) {
    if (State* s = Find(id)) s->text = text;
}

void ControlModel::ClearItems(uint32_t id) {
    if (State* s = Find(id)) {
        s->items.clear();
        s->curSel = -1;
    }
}

int ControlModel::AddItem(uint32_t id, const std::string& text) {
    State* s = Find(id);
    if (s == nullptr) return -1;
    s->items.emplace_back(text, 0);
    return static_cast<int>(s->items.size()) - 1;
}

int ControlModel::ItemCount(uint32_t id) const {
    const State* s = Find(id);
    return s == nullptr ? 0 : static_cast<int>(s->items.size());
}

std::string ControlModel::ItemText(uint32_t id, int index) const {
    const State* s = Find(id);
    if (s == nullptr || index < 0 || index >= static_cast<int>(s->items.size())) return {};
    return s->items[index].first;
}

void ControlModel::SetItemValue(uint32_t id, int index, int32_t data) {
    State* s = Find(id);
    if (s == nullptr || index < 0 || index >= static_cast<int>(s->items.size())) return;
    s->items[index].second = data;
}

int32_t ControlModel::ItemValue(uint32_t id, int index) const {
    const State* s = Find(id);
    if (s == nullptr || index < 0 || index >= static_cast<int>(s->items.size())) return 0;
    return s->items[index].second;
}

int ControlModel::Selection(uint32_t id) const {
    const State* s = Find(id);
    return s == nullptr ? -1 : s->curSel;
}

void ControlModel::SetSelection(uint32_t id, int index) {
    State* s = Find(id);
    if (s == nullptr) return;
    s->curSel = index >= 0 && index < static_cast<int>(s->items.size()) ? index : -1;
}

int ControlModel::InsertItem(uint32_t id, int index, const std::string& text) {
    State* s = Find(id);
    if (s == nullptr) return -1;
    const int count = static_cast<int>(s->items.size());
    if (index < 0 || index > count) index = count;
    s->items.insert(s->items.begin() + index, {text, 0});
    if (s->curSel >= index) ++s->curSel;
    return index;
}

void ControlModel::RemoveItem(uint32_t id, int index) {
    State* s = Find(id);
    if (s == nullptr || index < 0 || index >= static_cast<int>(s->items.size())) return;
    s->items.erase(s->items.begin() + index);
    if (s->curSel == index)
        s->curSel = -1;
    else if (s->curSel > index)
        --s->curSel;
}

void ControlModel::SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) {
    State* s = Find(id);
    if (s == nullptr) return;
    s->spinMin = minValue;
    s->spinMax = maxValue;
    SetSpinPos(id, s->spinPos);
}

void ControlModel::GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const {
    const State* s = Find(id);
    minValue = s == nullptr ? 0 : s->spinMin;
    maxValue = s == nullptr ? 0 : s->spinMax;
}

void ControlModel::SetSpinPos(uint32_t id, int32_t pos) {
    State* s = Find(id);
    if (s == nullptr) return;
    // A range may be given upside down; the position stays between its two ends either way.
    s->spinPos = std::clamp(pos, std::min(s->spinMin, s->spinMax), std::max(s->spinMin, s->spinMax));
}

int32_t ControlModel::GetSpinPos(uint32_t id) const {
    const State* s = Find(id);
    return s == nullptr ? 0 : s->spinPos;
}

void ControlModel::SetCheck(uint32_t id, bool checked) {
    if (State* s = Find(id)) s->checked = checked;
}

bool ControlModel::GetCheck(uint32_t id) const {
    const State* s = Find(id);
    return s != nullptr && s->checked;
}

void ControlModel::Enable(uint32_t id, bool enable) {
    if (State* s = Find(id)) s->enabled = enable;
}

bool ControlModel::IsEnabled(uint32_t id) const {
    const State* s = Find(id);
    return s != nullptr && s->enabled;
}

void ControlModel::Show(uint32_t id, bool show) {
    if (State* s = Find(id)) s->shown = show;
}

bool ControlModel::IsShown(uint32_t id) const {
    const State* s = Find(id);
    return s != nullptr && s->shown;
}

void ControlModel::SetPicture(uint32_t id, int32_t resource) {
    if (State* s = Find(id)) s->picture = resource;
}

int32_t ControlModel::GetPicture(uint32_t id) const {
    const State* s = Find(id);
    return s == nullptr ? 0 : s->picture;
}

std::vector<uint32_t> ControlModel::Ids() const {
    std::vector<uint32_t> ids;
    for (const auto& [id, s] : controls_) ids.push_back(id);
    return ids;
}

}  // namespace vr::ui
