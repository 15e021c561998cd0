#include "Features.h"

#include "AreaSelectDialog.h"
#include "CompareWindow.h"
#include "MainWindow.h"
#include "settings/SettingsFeature.h"

namespace vr::gui {

Features::Features(MainWindow& window) : window_(window) {
    settings::SettingsFront front;
    front.chooseArea = [this](ui::AreaDialogMode mode, bool factoryMode) {
        return AreaSelectDialog::Choose(window_.Services(), mode, factoryMode, &window_);
    };
    front.showDifferences = [this](const std::string& path, const std::vector<settings::SettingDifference>& d) {
        return CompareWindow::Choose(QString::fromStdString(path), d, &window_);
    };
    settings_ = std::make_unique<settings::SettingsFeature>(window.Services(), window.Logic(), std::move(front));
    settings_->Register(window.Logic().Router());
    // The communication dialog saves "All Data", which outside factory mode is the shipping data.
    window.SetSettingsFileHooks([this] { settings_->SaveAllData(); }, [this] { settings_->OpenFile(); });
}

Features::~Features() = default;

}  // namespace vr::gui
