#include "ui/main/EnablingRules.h"

#include "protocol/ControlIds.h"

namespace vr::ui {
namespace {

void EnableAll(platform::IControlAccess& controls, std::initializer_list<uint32_t> ids, bool enable) {
    for (uint32_t i : ids) controls.Enable(i, enable);
}

void ShowAll(platform::IControlAccess& controls, std::initializer_list<uint32_t> ids, bool show) {
    for (uint32_t i : ids) controls.Show(i, show);
}

constexpr int32_t kCommonGainMin = 40, kCommonGainMax = 400;
constexpr int32_t kIndividualGainMin = 100, kIndividualGainMax = 6400;

}  // namespace

void ApplyExposureEnabling(platform::IControlAccess& controls) {
    const int e = controls.Selection(protocol::id::kExposureMode);
    const int t = controls.Selection(protocol::id::kExposureTimeMode);
    if (e == 1 && t != 0) {
        controls.Enable(protocol::id::kExposureTime, false);
        EnableAll(controls, {protocol::id::kExposureTimeR, protocol::id::kExposureTimeG, protocol::id::kExposureTimeB},
                  true);
    } else {
        controls.Enable(protocol::id::kExposureTime, e == 1);
        EnableAll(controls, {protocol::id::kExposureTimeR, protocol::id::kExposureTimeG, protocol::id::kExposureTimeB},
                  false);
    }
}

void ApplyTriggerModeEnabling(platform::IControlAccess& controls) {
    controls.Enable(protocol::id::kAutoResetMode, controls.Selection(protocol::id::kTriggerMode) != 0);
}

bool ApplyLutModeEnabling(platform::IControlAccess& controls) {
    const int u = controls.Selection(protocol::id::kLutMode);
    const bool gamma = u == 1;
    controls.Enable(protocol::id::kOpenLutTable, u == 2);
    ShowAll(controls, {protocol::id::kGamma, protocol::id::kGammaSpin, protocol::id::kGammaLabel}, gamma);
    return u != 2;
}

void ApplyCorrectionButtonsEnabling(platform::IControlAccess& controls) {
    controls.Enable(protocol::id::kRecalibratePixelGain, controls.Selection(protocol::id::kPixelGainMode) >= 2);
    controls.Enable(protocol::id::kRecalibratePixelBlack, controls.Selection(protocol::id::kPixelBlackMode) >= 2);
}

bool ApplyIndividualGainEnabling(platform::IControlAccess& controls, int g) {
    if (g != 0 && g != 1) return false;
    const bool individual = g == 1;
    EnableAll(controls, {protocol::id::kGainAll, protocol::id::kGainAllSpin}, !individual);
    EnableAll(
        controls,
        {protocol::id::kGainGreen, protocol::id::kGainGreenSpin, protocol::id::kGainAuto, protocol::id::kAutoSetting},
        individual);
    const int32_t lo = individual ? kIndividualGainMin : kCommonGainMin;
    const int32_t hi = individual ? kIndividualGainMax : kCommonGainMax;
    controls.SetSpinRange(protocol::id::kGainRedSpin, lo, hi);
    controls.SetSpinRange(protocol::id::kGainBlueSpin, lo, hi);
    return true;
}

void EnableChromaticEditors(platform::IControlAccess& controls, bool enable) {
    // Every editor of the group but the mode list, with the three editors' spins.
    EnableAll(controls,
              {protocol::id::kCaPoint, protocol::id::kCaRatio, protocol::id::kCaSave, protocol::id::kCaSyncMode,
               protocol::id::kCaColour, protocol::id::kCaMethod, protocol::id::kCaValue, protocol::id::kCaCoefficient,
               protocol::id::kCaSide, protocol::id::kCaRatioSpin, protocol::id::kCaValueSpin,
               protocol::id::kCaCoefficientSpin},
              enable);
}

}  // namespace vr::ui
