#include "Features.h"

#include <QTimer>

#include "AreaSelectDialog.h"
#include "CompareWindow.h"
#include "IdentityDialogs.h"
#include "MainWindow.h"
#include "calibration/CalibrationFeature.h"
#include "settings/SettingsFeature.h"

namespace vr::gui {
namespace {

constexpr int kCalibrationTickMs = 250;

}  // namespace

Features::Features(MainWindow& window)
    : window_(window),
      calibration_(std::make_unique<calibration::CalibrationFeature>(window.Logic())),
      calibrationTicker_(std::make_unique<QTimer>()) {
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

    calibration_->Register(window_.Logic().Router());
    calibrationTicker_->setInterval(kCalibrationTickMs);
    QObject::connect(calibrationTicker_.get(), &QTimer::timeout, [this] { calibration_->Tick(); });
    calibrationTicker_->start();

    identity_ = std::make_unique<IdentityDialogs>(window);
    identity_->Register(window_.Logic().Router());
}

Features::~Features() = default;

}  // namespace vr::gui
