#pragma once
// The virtual camera's command-line options, for vr8200-sim and for any tool that starts the camera
// in-process and wants to offer the same switches.

#include <CLI/CLI.hpp>

#include "sim/SimOptions.h"

namespace vr::sim {

// Adds --model, --start-rate, --link, --pace, --state, the fault switches, the delays and the
// forced result codes to app, writing into options when the command line is parsed.
void AddSimOptions(CLI::App& app, SimOptions& options);

}  // namespace vr::sim
