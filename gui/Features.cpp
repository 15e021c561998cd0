#include "Features.h"

#include <QTimer>

#include "MainWindow.h"
#include "calibration/CalibrationFeature.h"

namespace vr::gui {
namespace {

constexpr int kCalibrationTickMs = 250;

}  // namespace

Features::Features(MainWindow& window)
    : window_(window),
      calibration_(std::make_unique<calibration::CalibrationFeature>(window.Logic())),
      calibrationTicker_(std::make_unique<QTimer>()) {
    calibration_->Register(window_.Logic().Router());
    calibrationTicker_->setInterval(kCalibrationTickMs);
    QObject::connect(calibrationTicker_.get(), &QTimer::timeout, [this] { calibration_->Tick(); });
    calibrationTicker_->start();
}

Features::~Features() = default;

}  // namespace vr::gui
