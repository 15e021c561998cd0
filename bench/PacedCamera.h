// The virtual camera the benchmarks measure against: a VR-8200-KA on a pseudo-terminal that starts
// at 115200 bit/s and, when paced, sends each byte of its replies at that rate.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "link/CommSetting.h"
#include "sim/PtyServer.h"

namespace vr::bench {

constexpr uint32_t kRate = 115200;

// Starts the camera; when it cannot start, the benchmark is skipped with the reason and 0 returned.
inline int StartPacedCamera(benchmark::State& state, sim::PtyServer& camera, bool pace = true) {
    sim::SimOptions options;
    options.model = "KA";
    options.startRate = kRate;
    options.pace = pace;
    std::string error;
    if (camera.Start(options, &error)) return 1;
    state.SkipWithError(error.c_str());
    return 0;
}

// Points the link object at the camera's pseudo-terminal for this run; nothing is stored.
inline void UseCamera(link::CCommSetting& setting, const sim::PtyServer& camera) {
    setting.SetSaveOnExit(false);
    setting.SetMode(link::ComPort);
    setting.SetPortIndex(static_cast<uint32_t>(setting.AddDevicePath(camera.DevicePath())));
}

}  // namespace vr::bench
