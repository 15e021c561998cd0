#pragma once
// How long the one-push functions wait for the camera. The defaults are the camera's own times;
// tests shorten them so that a camera that never answers costs milliseconds, not minutes.

#include <chrono>

namespace vr::calibration {

struct OnePushTiming {
    using ms = std::chrono::milliseconds;

    ms whiteBalanceStart{40000};   // "AWB" = 2 and = 4 until COMPLETE
    ms gainAutoStart{40000};       // "AGC" = 2
    ms shadingStart{420000};       // "RS" = 0
    ms pixelStart{420000};         // "PGR" = 0, "PBR" = 0; also how long their status is polled
    ms factoryPixelStart{200000};  // "PGR00" = 0, "PBR00" = 0; likewise
    ms resultQuery{5000};          // result codes, statuses and the values re-read afterwards
    ms pause{1000};                // before a shading result and before each status poll
    ms xmlWrite{10000};            // "XMLVR" set
    ms xmlRead{5000};              // "XMLVR" query
    // A status poll that goes unanswered this many times in a row ends the wait.
    int unansweredPolls = 3;
};

}  // namespace vr::calibration
