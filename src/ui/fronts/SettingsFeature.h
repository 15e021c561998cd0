#pragma once
// The main window's settings work: the File menu's settings files ("&Open", "All Data", "Shipping
// Data", "Compare with File..."), the Settings menu's memory areas ("&Store settings", "&Load
// settings") and the "Factory A" page's "Store All", "Camera Reset" and "Set". The desktop tool
// builds it with its area dialog and compare window; tests give answers of their own.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"
#include "ui/main/ParameterAreaSelectDialog.h"

namespace vr::camera {
struct Services;
}

namespace vr::ui {

class CCtrlToolDlg;
class FeatureRouter;

inline constexpr uint32_t kMenuOpenSettingsFile = 30008;
inline constexpr uint32_t kMenuSaveAllData = 30011;
inline constexpr uint32_t kMenuSaveShippingData = 30012;
inline constexpr uint32_t kMenuCompareWithFile = 30013;
inline constexpr uint32_t kMenuStoreSettings = 30003;
inline constexpr uint32_t kMenuLoadSettings = 30004;

// What the feature asks of the windows around it.
struct SettingsFront {
    // The memory-area dialog: the chosen area (0 to 3, -1 for none) or nothing when cancelled.
    std::function<std::optional<int>(AreaDialogMode mode, bool factoryMode)> chooseArea;
    // Shows how the camera differs from the file; true when the operator asks to load the file.
    std::function<bool(const std::string& path, const std::vector<settings::SettingDifference>& differences)>
        showDifferences;
};

class SettingsFeature {
public:
    static constexpr const char* kFileFilterText = "Camera setting data (*.cam)";
    static constexpr const char* kFileExtension = "cam";
    // Asked below the report of a load the camera did not fully take.
    static constexpr const char* kReloadQuestion = "Reload the camera's values now?";

    SettingsFeature(CCtrlToolDlg& window, SettingsFront front);

    void Register(FeatureRouter& router);

    // File menu
    void OpenFile();
    void SaveAllData() { SaveAs(settings::SettingsVariant::AllData); }
    void SaveShippingData() { SaveAs(settings::SettingsVariant::ShippingData); }
    void CompareWithFile();
    // Settings menu
    void StoreSettings();
    void LoadSettings();
    // Factory A
    void StoreAll();
    void CameraReset();
    void SetModel();

    // Loads a file and tells the operator once about the lines the camera did not take, offering to
    // read the camera's own values back.
    settings::SettingsLoad LoadFile(const std::string& path);
    // Told the path of every settings file written or opened (the desktop tool's recent files).
    void SetFileUsed(std::function<void(const std::string& path)> used) { fileUsed_ = std::move(used); }

    // What the operator is told after a load: the lines the camera did not take, or where the load
    // was stopped; empty when there is nothing to tell.
    static std::string LoadReport(const settings::SettingsLoad& load, const std::string& path);

private:
    void SaveAs(settings::SettingsVariant variant);
    std::string CameraFileFolder();
    void RememberFolder(const std::string& path);
    // The file to save to, after the replace question; empty when the operator gave up.
    std::string AskSavePath();
    std::string AskOpenPath();

    CCtrlToolDlg& window_;
    camera::Services& services_;
    SettingsFront front_;
    settings::SettingsFile file_;
    std::function<void(const std::string&)> fileUsed_;
};

}  // namespace vr::ui
