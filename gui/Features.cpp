#include "Features.h"

#include <QScreen>
#include <QTimer>

#include "AreaSelectDialog.h"
#include "CompareWindow.h"
#include "IdentityDialogs.h"
#include "LutEditorWindow.h"
#include "MainWindow.h"
#include "lut/TableFiles.h"
#include "protocol/ControlIds.h"
#include "ui/fronts/CalibrationFront.h"
#include "ui/fronts/LutFront.h"
#include "ui/fronts/SettingsFeature.h"

namespace vr::gui {
namespace {

constexpr int kCalibrationTickMs = 250;

}  // namespace

Features::Features(MainWindow& window)
    : window_(window),
      calibration_(std::make_unique<ui::CalibrationFront>(window.Logic())),
      calibrationTicker_(std::make_unique<QTimer>()) {
    ui::SettingsFront front;
    front.chooseArea = [this](ui::AreaDialogMode mode, bool factoryMode) {
        return AreaSelectDialog::Choose(window_.Services(), mode, factoryMode, &window_);
    };
    front.showDifferences = [this](const std::string& path, const std::vector<settings::SettingDifference>& d) {
        return CompareWindow::Choose(QString::fromStdString(path), d, &window_);
    };
    settings_ = std::make_unique<ui::SettingsFeature>(window.Logic(), std::move(front));
    settings_->Register(window.Logic().Router());
    // The communication dialog saves "All Data", which outside factory mode is the shipping data.
    window.SetSettingsFileHooks([this] { settings_->SaveAllData(); }, [this] { settings_->OpenFile(); });

    calibration_->Register(window_.Logic().Router());
    calibrationTicker_->setInterval(kCalibrationTickMs);
    QObject::connect(calibrationTicker_.get(), &QTimer::timeout, [this] { calibration_->Tick(); });
    calibrationTicker_->start();

    identity_ = std::make_unique<IdentityDialogs>(window);
    identity_->Register(window_.Logic().Router());

    CreateLutEditors();
    // The LUT and shading files work on the editors' own tables.
    tableFiles_ = std::make_unique<lut::TableFiles>(window.Services(), *lutEditors_, [this] { window_.Activate(); });
    ui::RegisterTableFiles(window_.Logic().Router(), *tableFiles_);
}

Features::~Features() {
    // The window may outlive its features by a moment; nothing of theirs may be called then.
    window_.Logic().Router().AddButton(protocol::id::kOpenLutTable, nullptr);
    window_.SetSecondaryWindow(ui::SecondaryWindow::LutEditors, nullptr);
    lutEditors_.reset();
    for (QPointer<LutEditorWindow>& w : lutWindows_) delete w;
}

LutEditorWindow* Features::LutWindow(lut::LutColour colour) const {
    return lutWindows_[static_cast<size_t>(colour)];
}

void Features::CreateLutEditors() {
    // Hidden until "Open LUT Table"; each lies 50 pixels further right and down than the one before.
    const QPoint origin = window_.screen()->availableGeometry().topLeft();
    std::array<lut::CLUTDlg*, 3> editors{};
    for (lut::LutColour colour : lut::kLutColours) {
        const auto k = static_cast<size_t>(colour);
        auto* editor = new LutEditorWindow(window_.Services(), colour, &window_);
        editor->adjustSize();
        const int offset = lut::LutEditors::Offset(static_cast<int>(k));
        editor->move(origin + QPoint(offset, offset));
        lutWindows_[k] = editor;
        editors[k] = &editor->Logic();
    }
    lutEditors_ = std::make_unique<lut::LutEditors>(editors);
    ui::RegisterLutEditors(window_.Logic().Router(), *lutEditors_);
    window_.SetSecondaryWindow(ui::SecondaryWindow::LutEditors, [this](bool show) { lutEditors_->ShowAll(show); });
}

}  // namespace vr::gui
