#include "ui/fronts/CalibrationFront.h"

#include "protocol/ControlIds.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/FeatureRouter.h"

namespace vr::ui {

using calibration::OnePush;

CalibrationFront::CalibrationFront(CCtrlToolDlg& window)
    : onePush_(window.Session(), &window, clock_), xmlVersion_(window.Session(), window) {}

void RegisterCalibration(FeatureRouter& router, OnePush& onePush, calibration::XmlVersion& version) {
    namespace id = protocol::id;
    router.AddSelection(id::kWhiteBalance, [&onePush](int index) { onePush.WhiteBalanceSelection(index); });
    router.AddSelection(id::kGainAuto, [&onePush](int index) { onePush.GainAutoSelection(index); });
    router.AddButton(id::kRecalibrateShading, [&onePush] { onePush.ShadingCalibration(); });
    router.AddButton(id::kRecalibratePixelGain, [&onePush] { onePush.PixelGainRecalibration(); });
    router.AddButton(id::kRecalibratePixelBlack, [&onePush] { onePush.PixelBlackRecalibration(); });
    router.AddButton(id::kAutoSetting, [&onePush] { onePush.AutoSetting(); });
    router.AddButton(id::kFactoryPixelGain, [&onePush] { onePush.FactoryPixelGainRecalibration(); });
    router.AddButton(id::kFactoryPixelBlack, [&onePush] { onePush.FactoryPixelBlackRecalibration(); });
    router.AddButton(id::kWriteXmlVersion, [&version] { version.Write(); });
    router.AddButton(id::kReadXmlVersion, [&version] { version.Read(); });
}

}  // namespace vr::ui
