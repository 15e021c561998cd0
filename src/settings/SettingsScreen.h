#pragma once
// What loading a settings file asks of a window that shows the camera's values: the desktop tool's
// main window implements it; the command-line tool has none.

namespace vr::settings {

class ISettingsScreen {
public:
    virtual ~ISettingsScreen() = default;
    // The file's values are in the table: show them.
    virtual void ShowLoadedValues() = 0;
    // After the progress window closed: the model's layout, the mode's enabling, the line rate.
    virtual void ShowLoadedLayout() = 0;
    // A chromatic aberration mode line was loaded: its editors enabled for a lens in use.
    virtual void EnableChromaticEditors(bool enable) = 0;
};

}  // namespace vr::settings
