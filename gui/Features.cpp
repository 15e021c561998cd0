#include "Features.h"

#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <iterator>

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
    tableFiles_ = std::make_unique<lut::TableFiles>(
        window.Logic().Session(), *lutEditors_,
        lut::TableFilesWindow{[this] { window_.Activate(); },
                              [this](const std::string& text) { window_.ShowStatusText(text); }});
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
    // Hidden until "Open LUT Table". Windows of their own (no parent): the main window comes to the
    // front when clicked, and they leave its menu bar free.
    std::array<lut::CLUTDlg*, 3> editors{};
    for (lut::LutColour colour : lut::kLutColours) {
        const auto k = static_cast<size_t>(colour);
        auto* editor = new LutEditorWindow(window_.Services(), colour, nullptr);
        editor->adjustSize();
        lutWindows_[k] = editor;
        editors[k] = &editor->Logic();
    }
    lutEditors_ = std::make_unique<lut::LutEditors>(editors);
    // "Open LUT Table" shows the three, placed beside the main window the first time.
    auto showOrHide = [this](bool show) {
        if (show && !lutEditorsPlaced_) PlaceLutEditors();
        lutEditors_->ShowAll(show);
    };
    ui::RegisterLutEditors(window_.Logic().Router(), [showOrHide] { showOrHide(true); });
    window_.SetSecondaryWindow(ui::SecondaryWindow::LutEditors, showOrHide);
}

void Features::PlaceLutEditors() {
    lutEditorsPlaced_ = true;
    // Each lies 50 pixels further right and down than the one before, counted from the main window's
    // pages, below its menu bar; all of it on the screen.
    const QRect screen = window_.screen()->availableGeometry();
    const QPoint pages = window_.mapToGlobal(QPoint(0, window_.menuBar()->geometry().bottom() + 1));
    const int first = lut::LutEditors::Offset(0);
    const int last = lut::LutEditors::Offset(static_cast<int>(std::size(lut::kLutColours)) - 1);
    // The cascade moves as a whole where the screen is short of room, so the editors keep their steps.
    QSize largest;
    for (const auto& editor : lutWindows_)
        if (editor != nullptr) largest = largest.expandedTo(editor->size());
    largest = largest.boundedTo(screen.size());
    QPoint origin = pages + QPoint(first, first);
    const int spread = last - first;
    origin.setX(
        std::clamp(origin.x(), screen.left(), std::max(screen.left(), screen.right() - largest.width() - spread)));
    origin.setY(
        std::clamp(origin.y(), screen.top(), std::max(screen.top(), screen.bottom() - largest.height() - spread)));
    for (lut::LutColour colour : lut::kLutColours) {
        LutEditorWindow* editor = lutWindows_[static_cast<size_t>(colour)];
        if (editor == nullptr) continue;
        const int step = lut::LutEditors::Offset(static_cast<int>(colour)) - first;
        editor->resize(editor->size().boundedTo(screen.size()));
        editor->move(origin + QPoint(step, step));
    }
}

}  // namespace vr::gui
