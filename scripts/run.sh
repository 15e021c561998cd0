#!/usr/bin/env bash
# Installs what the project needs, builds it and opens the desktop tool on a virtual VR-8200-KA.
# On a machine without a display it says so and runs the command-line tool on the virtual camera.
# VR_BUILD_DIR builds elsewhere than build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh

build_dir=${VR_BUILD_DIR:-build/release}
cmake --preset release -B "$build_dir"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build "$build_dir" -j "$(nproc)" --target vr8200-control
  exec "$build_dir/gui/vr8200-control" --simulate KA
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running 'vr8200ctl --simulate KA dump' instead." >&2
cmake --build "$build_dir" -j "$(nproc)" --target vr8200ctl
exec "$build_dir/cli/vr8200ctl" --simulate KA dump
