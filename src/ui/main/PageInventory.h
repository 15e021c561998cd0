#pragma once
// Every control on the main window's tab pages: which page and group box it stands in, the caption of
// its row, its kind, its spin and, for lists, its items. The desktop tool builds its pages from this
// table and the headless control model creates its controls from it, so both carry the same ids.
//
// Rows: controls of one group that share a label stand in one row, in table order (the FIR filter's
// "R" row holds the on/off list and the three coefficients). Labels and group boxes get ids of their
// own, so the logic can hide a caption whose controls are all hidden.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vr::ui {

enum class CtrlType : uint8_t {
    None,    // not a control of any page
    Edit,    // an edit; numeric with its spin when spinId is set
    Spin,    // an up-down control; never listed itself, it comes with its edit
    Combo,   // a drop-down list
    Button,  // a push button
    Static,  // a text read-out
    Label,   // the caption of a row
    Group,   // a group box
};

struct PageControl {
    uint32_t id;
    uint32_t page;      // dialog template of the page, 111 to 115 or 117
    const char* group;  // group box caption; empty for a control standing on the page itself
    const char* label;  // caption of the row; empty for a control without one
    CtrlType type;
    const char* text;  // a button's caption or a read-out's initial text
    uint32_t spinId;   // an edit's spin, 0 when it has none
    bool readOnly;     // an edit that only shows values
};

struct PageInfo {
    int index;  // position in the page array
    uint32_t templateId;
    const char* title;
    bool factoryOnly;
};

// Ids of captions are given out from these bases in table order (they collide with no control,
// spin, menu or dialog id of the tool).
inline constexpr uint32_t kLabelIdBase = 2000;
inline constexpr uint32_t kGroupIdBase = 2600;

// The six pages in creation order.
std::span<const PageInfo> Pages();
// The page with the given template, or nullptr.
const PageInfo* FindPage(uint32_t templateId);

// Every control of every page (spins, labels and group boxes come from the layouts below), in page
// order and, within a page, group by group and row by row.
std::span<const PageControl> PageControls();

// A control of the table, a spin (with the data of its edit but type Spin and no spin of its own),
// a label or a group box; nullptr for any other id.
const PageControl* FindControl(uint32_t id);
CtrlType TypeOf(uint32_t id);  // None for an id that is not on a page
bool IsPageControl(uint32_t id);

// The buddy edit of a spin, and the spin of an edit; 0 when there is none.
uint32_t BuddyOf(uint32_t spinId);
uint32_t SpinOf(uint32_t editId);

// The range of a spin's parameter row (0..100 for a spin without a row), as the start-up gives it.
void RowSpinRange(uint32_t spinId, int32_t& minValue, int32_t& maxValue);

// The items of a list as the page template carries them; empty for a control without items.
const std::vector<std::string>& TemplateItems(uint32_t id);

struct RowLayout {
    uint32_t labelId;  // 0 for a row without a caption
    std::string label;
    std::vector<uint32_t> controls;  // edits (their spins follow them), lists, buttons, read-outs
};

struct GroupLayout {
    uint32_t groupId;  // 0 for the controls standing on the page itself
    std::string caption;
    std::vector<RowLayout> rows;
};

struct PageLayout {
    PageInfo page;
    std::vector<GroupLayout> groups;
};

// The pages as the desktop tool lays them out, built once from the table.
const std::vector<PageLayout>& PageLayouts();

}  // namespace vr::ui
