#include "ui/main/MenuTable.h"

namespace vr::ui {
namespace {

constexpr const char* kCaptions[] = {"File(&F)", "Settings(&S)", "Utility(&U)", "LUT(&L)", "Help(&H)"};

constexpr MenuItem kItems[] = {
    {30008, 0, "", "&Open", MenuAction::OpenSettingsFile},
    {30011, 0, "&Save as", "All Data", MenuAction::SaveAllData},
    {30012, 0, "&Save as", "Shipping Data", MenuAction::SaveShippingData},
    {30013, 0, "", "Compare with File...", MenuAction::CompareWithFile},
    {2, 0, "", "E&xit", MenuAction::Exit},
    {30002, 1, "", "&Reload", MenuAction::Reload},
    {30004, 1, "", "&Load settings", MenuAction::LoadSettings},
    {30003, 1, "", "&Store settings", MenuAction::StoreSettings},
    {30000, 2, "", "Edit user id", MenuAction::EditUserId, true},
    {30005, 2, "", "Edit camera id", MenuAction::EditCameraId, true},
    {30014, 2, "", "&Terminal", MenuAction::OpenTerminal},
    {30006, 3, "", "&Open LUT file", MenuAction::OpenLutFile},
    {30007, 3, "", "&Save LUT file", MenuAction::SaveLutFile},
    {30009, 3, "", "&Load all LUT table", MenuAction::LoadAllLutTables},
    {30001, 4, "", "&About this application", MenuAction::About},
    {30010, 4, "", "&Open Communication Dialog", MenuAction::OpenCommunicationDialog},
};

}  // namespace

std::span<const char* const> MenuCaptions() {
    return kCaptions;
}

std::span<const MenuItem> MenuItems() {
    return kItems;
}

const MenuItem* FindMenuItem(uint32_t id) {
    for (const MenuItem& item : kItems)
        if (item.id == id) return &item;
    return nullptr;
}

}  // namespace vr::ui
