#!/usr/bin/env bash
# Pictures of the desktop tool for review: starts it under Xvfb on a 1280x800 screen against a
# virtual camera, in factory mode so the factory page and the factory buttons are there too, and saves
# a PNG of every page, the communication dialog, the terminal, the memory-area dialog, the comparison
# with a settings file, the device information dialog and the camera and user ID editors, in the
# system palette and in a dark one, and of a shading calibration's progress window and result. Not
# run in CI.
#
#   scripts/screenshots.sh [OUTPUT_DIR] [KA|KB]     (default: build/screenshots, KA)
#
# VR_BUILD_DIR names the build folder (default build/release); the tool must be built there.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/screenshots}
model=${2:-KA}
build_dir=${VR_BUILD_DIR:-build/release}
tool="$build_dir/gui/vr8200-control"
if [ ! -x "$tool" ]; then
  echo "$tool is not built: cmake --build $build_dir --target vr8200-control" >&2
  exit 1
fi
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: ./scripts/setup-debian.sh" >&2; exit 1; }

# A settings store of its own, so the pictures never depend on (or change) the user's settings.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$out"

VR8200_CONFIG_DIR="$config" xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
  "$tool" --simulate "$model" --factory --screenshots "$out"
echo "Pictures in $out/" >&2
