// The parts of the virtual camera that imitate the hardware: image geometry, line period and
// exposure limits, the scene the one-push functions measure, chromatic aberration ratios, shading
// tables and counters.

#include <algorithm>
#include <climits>
#include <cmath>

#include "protocol/CommandIds.h"
#include "sim/CameraConstants.h"
#include "sim/CameraReplies.h"
#include "sim/VirtualCamera.h"

namespace vr::sim {

namespace id = protocol::cmd;
namespace {

using namespace camera;

int32_t Clamp(int64_t v, int32_t lo, int32_t hi) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, lo, hi));
}
int32_t RoundDown(int32_t v, int32_t step) {
    return v / step * step;
}

// Widths come in steps of 8 pixels, offsets in steps of 16.
constexpr int32_t kWidthStep = 8;
constexpr int32_t kOffsetStep = 16;

}  // namespace

int32_t VirtualCamera::SensorWidth() const {
    return kSensorPixels / std::max(regs_[id::HB], 1);
}

int32_t VirtualCamera::LineRateMin() const {
    static constexpr int64_t kBitsPerPixel[] = {24, 30, 36};              // "BA": RGB8, RGB10, RGB12
    static constexpr int64_t kClockKHz[] = {85000, 63750, 42500, 31875};  // "CLCF"
    int64_t bytesPerClock = 3;                                            // "CLCFG" Base
    switch (regs_[id::CLCFG]) {
        case 1:
            bytesPerClock = 6;
            break;  // Medium
        case 2:
            bytesPerClock = 8;
            break;  // Full
        case 4:
            bytesPerClock = 10;
            break;  // Eighty
        default:
            break;
    }
    const int64_t bits = kBitsPerPixel[std::clamp(regs_[id::BA], 0, 2)];
    const int64_t clockKHz = kClockKHz[std::clamp(regs_[id::CLCF], 0, 3)];
    const int64_t clocks = (regs_[id::WTC] * bits + bytesPerClock * 8 - 1) / (bytesPerClock * 8);
    const int64_t transfer = (clocks * 100000 + clockKHz - 1) / clockKHz;  // in 10 ns
    const int64_t overhead = kind_ == CameraKind::KB && regs_[id::LROP] == 1 ? kLineOverhead / 2 : kLineOverhead;
    return static_cast<int32_t>(transfer + overhead);
}

int32_t VirtualCamera::ExposureMax() const {
    return std::max(regs_[id::LR] - kExposureGap, kExposureMin);
}

void VirtualCamera::AfterFormatChange() {
    // A format that needs more time per line stretches the line period rather than being refused.
    const int32_t lineMin = LineRateMin();
    if (regs_[id::LR] < lineMin) {
        FoldCounters();
        regs_[id::LR] = lineMin;
    }
    const int32_t exposureMax = ExposureMax();
    for (uint32_t i : {id::PE, id::PER, id::PEG, id::PEB}) regs_[i] = std::min(regs_[i], exposureMax);
}

std::vector<std::string> VirtualCamera::SetGeometry(uint32_t cmdId, int32_t v) {
    const int32_t width = SensorWidth();
    // Each window (image, white balance area) is a width and an offset that must fit the sensor.
    auto fitOffset = [&](uint32_t widthId, uint32_t offsetId) {
        if (regs_[offsetId] + regs_[widthId] > width)
            regs_[offsetId] = RoundDown(std::max(width - regs_[widthId], 0), kOffsetStep);
    };
    switch (cmdId) {
        case id::WTC:
        case id::AWBW:
            v = RoundDown(v, kWidthStep);
            if (v > width) return {kErrorOutOfRange};
            regs_[cmdId] = v;
            fitOffset(cmdId, cmdId == id::WTC ? id::OFC : id::AWBO);
            break;
        case id::OFC:
        case id::AWBO:
            v = RoundDown(v, kOffsetStep);
            if (v + regs_[cmdId == id::OFC ? id::WTC : id::AWBW] > width) return {kErrorOutOfRange};
            regs_[cmdId] = v;
            break;
        case id::HB: {
            const int32_t old = regs_[id::HB];
            regs_[id::HB] = v;
            const int32_t newWidth = SensorWidth();
            // Binning changes the pixel size, so the windows keep covering the same part of the sensor.
            for (auto [w, o] : {std::pair{id::WTC, id::OFC}, std::pair{id::AWBW, id::AWBO}}) {
                regs_[w] = std::clamp(RoundDown(regs_[w] * old / v, kWidthStep), kWidthStep, newWidth);
                regs_[o] = RoundDown(regs_[o] * old / v, kOffsetStep);
                if (regs_[o] + regs_[w] > newWidth) regs_[o] = RoundDown(newWidth - regs_[w], kOffsetStep);
            }
            break;
        }
        default:
            break;
    }
    AfterFormatChange();
    return {kReplyComplete};
}

std::vector<std::string> VirtualCamera::SetExposure(uint32_t cmdId, int32_t v) {
    if (v < kExposureMin || v > ExposureMax()) return {kErrorOutOfRange};
    const int32_t old = regs_[cmdId];
    regs_[cmdId] = v;
    if (kind_ == CameraKind::KA && cmdId == id::PE && regs_[id::ETM] == 0) {
        // With a common exposure time the three colours follow it.
        for (uint32_t i : {id::PER, id::PEG, id::PEB}) regs_[i] = v;
    }
    if (kind_ == CameraKind::KA && cmdId == id::PEG && regs_[id::EI] == 1 && old > 0) {
        // Red and blue interlocked: they keep their ratio to green.
        for (uint32_t i : {id::PER, id::PEB})
            regs_[i] = Clamp(static_cast<int64_t>(regs_[i]) * v / old, kExposureMin, ExposureMax());
    }
    return {kReplyComplete};
}

int32_t VirtualCamera::SceneLevel() const {
    const int64_t gain = regs_[id::GM] != 0 ? regs_[id::GAG] : regs_[id::GA];
    const int64_t exposure = kind_ == CameraKind::KA && regs_[id::ETM] == 1 ? regs_[id::PEG] : regs_[id::PE];
    return Clamp(kSceneLevel * gain * exposure / (100 * static_cast<int64_t>(kSceneExposure)), 0, INT32_MAX);
}

int32_t VirtualCamera::SceneCode(int32_t tooBright, int32_t tooDark, int32_t ok) const {
    const int32_t level = SceneLevel();
    return level > kSceneTooBright ? tooBright : level < kSceneTooDark ? tooDark : ok;
}

void VirtualCamera::FinishWhiteBalance() {
    const int32_t natural = SceneCode(kWhiteBalanceBright, kWhiteBalanceDark, kWhiteBalanceOk);
    const size_t run = whiteBalanceRuns_++;
    const int32_t code =
        run < options_.awbResultRuns.size() ? options_.awbResultRuns[run] : options_.awbResult.value_or(natural);
    if (code == kWhiteBalanceOk) {
        const int64_t reference = regs_[id::GM] != 0 ? regs_[id::GAG] : 100;
        regs_[id::GAR] = Clamp(reference * kRedNeedPercent / 100, 40, 6400);
        regs_[id::GAB] = Clamp(reference * kBlueNeedPercent / 100, 40, 6400);
    }
    regs_[id::AWRS] = code;
    regs_[id::AWB] = 0;  // a one-push mode falls back to Off when it is done
}

void VirtualCamera::FinishExposureWhiteBalance() {
    const int32_t natural = SceneCode(kWhiteBalanceBright, kWhiteBalanceDark, kWhiteBalanceOk);
    const int32_t code = options_.exposureAwbResult.value_or(natural);
    if (code == kWhiteBalanceOk) {
        const int64_t green = regs_[id::PEG];
        regs_[id::PER] = Clamp(green * kRedNeedPercent / 100, kExposureMin, ExposureMax());
        regs_[id::PEB] = Clamp(green * kBlueNeedPercent / 100, kExposureMin, ExposureMax());
    }
    regs_[id::AHRS] = code;
    regs_[id::AWB] = 0;
}

void VirtualCamera::FinishGainAuto() {
    // The gain that brings green to the target level "AGCF" (percent of full scale).
    const int64_t exposure = kind_ == CameraKind::KA && regs_[id::ETM] == 1 ? regs_[id::PEG] : regs_[id::PE];
    const int64_t unityLevel = kSceneLevel * exposure / kSceneExposure;
    const int64_t target = static_cast<int64_t>(regs_[id::AGCF]) * 10;
    const int64_t needed = unityLevel > 0 ? 100 * target / unityLevel : INT32_MAX;
    const bool individual = regs_[id::GM] != 0;
    const int32_t gain = Clamp(needed, 100, individual ? 6400 : 3200);
    const int32_t code = options_.agcResult.value_or(gain == needed ? kGainAutoOk : kGainAutoLimit);
    if (code == kGainAutoOk || code == kGainAutoLimit) {
        if (individual) {
            const int64_t old = std::max(regs_[id::GAG], 1);
            regs_[id::GAR] = Clamp(regs_[id::GAR] * static_cast<int64_t>(gain) / old, 40, 6400);
            regs_[id::GAB] = Clamp(regs_[id::GAB] * static_cast<int64_t>(gain) / old, 40, 6400);
            regs_[id::GAG] = gain;
        } else {
            regs_[id::GA] = gain;
        }
    }
    regs_[id::AGCS] = code;
    regs_[id::AGC] = 0;
}

void VirtualCamera::FinishShading() {
    const int32_t natural = SceneCode(kShadingBright, kShadingDark, kShadingOk);
    const int32_t code = options_.shadingResult.value_or(natural);
    if (code == kShadingOk) {
        // The lens darkens the edges; the correction lifts them, blue most and green least.
        static constexpr double kEdgeLift[] = {0.15, 0.20, 0.25};  // planes G, R, B
        const int slot = ShadingSlot();
        const double centre = (kShadingSize - 1) / 2.0;
        for (int plane = 0; plane < 3; ++plane)
            for (int x = 0; x < kShadingSize; ++x) {
                const double d = (x - centre) / centre;
                shading_[slot][plane][x] =
                    static_cast<int32_t>(std::lround(kShadingUnity * (1.0 + kEdgeLift[plane] * d * d)));
            }
        if (stagingSlot_ == slot) staging_ = shading_[slot];
    }
    regs_[id::SDRS] = code;
}

void VirtualCamera::StartStatus(uint32_t statusId, std::optional<int32_t> forced, int32_t natural) {
    const bool byReads = options_.busyStatusReads > 0 && statusId != id::SDS00;
    const TimePoint readyAt = byReads ? Now() : Now() + std::chrono::milliseconds(options_.recalibrateMs);
    statuses_[statusId] = Status{forced.value_or(natural), readyAt, byReads ? options_.busyStatusReads : 0};
}

void VirtualCamera::RecomputeRatios(int lens) {
    const auto m = static_cast<uint32_t>(lens);
    const int32_t method = regs_[id::CACMT + m];
    if (method == 2) return;  // Custom: the ratios are the operator's
    for (uint32_t c = 0; c < 2; ++c) {
        // "Simple" shifts every point by the coefficient's share; "Linear" ramps up to it.
        const int32_t left = regs_[id::CoeffLeftRed + m + 4 * c] * 10;
        const int32_t right = regs_[id::CoeffRightRed + m + 4 * c] * 10;
        const uint32_t leftBase = (c == 0 ? id::RatioLeftRed : id::RatioLeftBlue) + 9 * m;
        const uint32_t rightBase = (c == 0 ? id::RatioRightRed : id::RatioRightBlue) + 8 * m;
        for (int32_t k = 0; k <= 8; ++k) regs_[leftBase + k] = method == 0 ? left : left * k / 8;
        for (int32_t k = 1; k <= 8; ++k) regs_[rightBase + k - 1] = method == 0 ? right : right * k / 8;
    }
}

int VirtualCamera::ShadingSlot() const {
    return std::clamp(regs_[id::SDM], 1, kShadingSlots) - 1;
}

void VirtualCamera::SyncStaging() {
    // Transfers go through one staging table; switching "SDM" to another slot drops what was not
    // applied with "SDDU".
    if (stagingSlot_ == ShadingSlot()) return;
    stagingSlot_ = ShadingSlot();
    staging_ = shading_[stagingSlot_];
}

int64_t VirtualCamera::CounterValue(int n) const {
    const Counter& c = counters_[n];
    int64_t v = c.counted;
    if (c.since && regs_[id::LR] > 0) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(Now() - *c.since).count();
        v += ns / (static_cast<int64_t>(regs_[id::LR]) * 10);
    }
    return v;
}

void VirtualCamera::FoldCounters() {
    // Before the line period changes, what was counted at the old period is kept.
    const TimePoint now = Now();
    for (int n = 0; n < 4; ++n) {
        if (!counters_[n].since) continue;
        counters_[n].counted = CounterValue(n);
        counters_[n].since = now;
    }
}

}  // namespace vr::sim
