#include "ui/main/EnablingRules.h"

#include "ui/main/ControlIds.h"

namespace vr::ui {
namespace {

void EnableAll(IControlAccess& controls, std::initializer_list<uint32_t> ids, bool enable) {
    for (uint32_t i : ids) controls.Enable(i, enable);
}

void ShowAll(IControlAccess& controls, std::initializer_list<uint32_t> ids, bool show) {
    for (uint32_t i : ids) controls.Show(i, show);
}

constexpr int32_t kCommonGainMin = 40, kCommonGainMax = 400;
constexpr int32_t kIndividualGainMin = 100, kIndividualGainMax = 6400;

}  // namespace

void ApplyExposureEnabling(IControlAccess& controls) {
    const int e = controls.GetCurSel(id::kExposureMode);
    const int t = controls.GetCurSel(id::kExposureTimeMode);
    if (e == 1 && t != 0) {
        controls.Enable(id::kExposureTime, false);
        EnableAll(controls, {id::kExposureTimeR, id::kExposureTimeG, id::kExposureTimeB}, true);
    } else {
        controls.Enable(id::kExposureTime, e == 1);
        EnableAll(controls, {id::kExposureTimeR, id::kExposureTimeG, id::kExposureTimeB}, false);
    }
}

void ApplyTriggerModeEnabling(IControlAccess& controls) {
    controls.Enable(id::kAutoResetMode, controls.GetCurSel(id::kTriggerMode) != 0);
}

bool ApplyLutModeEnabling(IControlAccess& controls) {
    const int u = controls.GetCurSel(id::kLutMode);
    const bool gamma = u == 1;
    controls.Enable(id::kOpenLutTable, u == 2);
    ShowAll(controls, {id::kGamma, id::kGammaSpin, id::kGammaLabel}, gamma);
    return u != 2;
}

void ApplyCorrectionButtonsEnabling(IControlAccess& controls) {
    controls.Enable(id::kRecalibratePixelGain, controls.GetCurSel(id::kPixelGainMode) >= 2);
    controls.Enable(id::kRecalibratePixelBlack, controls.GetCurSel(id::kPixelBlackMode) >= 2);
}

bool ApplyIndividualGainEnabling(IControlAccess& controls, int g) {
    if (g != 0 && g != 1) return false;
    const bool individual = g == 1;
    EnableAll(controls, {id::kGainAll, id::kGainAllSpin}, !individual);
    EnableAll(controls, {id::kGainGreen, id::kGainGreenSpin, id::kGainAuto, id::kAutoSetting}, individual);
    const int32_t lo = individual ? kIndividualGainMin : kCommonGainMin;
    const int32_t hi = individual ? kIndividualGainMax : kCommonGainMax;
    controls.SetSpinRange(id::kGainRedSpin, lo, hi);
    controls.SetSpinRange(id::kGainBlueSpin, lo, hi);
    return true;
}

void EnableChromaticEditors(IControlAccess& controls, bool enable) {
    // Every editor of the group but the mode list, with the three editors' spins.
    EnableAll(controls,
              {id::kCaPoint, id::kCaRatio, id::kCaSave, id::kCaSyncMode, id::kCaColour, id::kCaMethod, id::kCaValue,
               id::kCaCoefficient, id::kCaSide, id::kCaRatioSpin, id::kCaValueSpin, id::kCaCoefficientSpin},
              enable);
}

}  // namespace vr::ui
