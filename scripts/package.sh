#!/usr/bin/env bash
# Builds the release configuration and makes the Debian package vr8200-control_<version>_amd64.deb
# in the build folder (VR_BUILD_DIR, default build/release). Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh >&2

build_dir=${VR_BUILD_DIR:-build/release}
cmake --preset release -B "$build_dir" >&2
cmake --build "$build_dir" -j "${VR_JOBS:-$(nproc)}" --target vr8200ctl vr8200-sim vr8200-control vr_package_docs >&2
(cd "$build_dir" && cpack -G DEB >&2)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
deb="$build_dir/vr8200-control_${version}_amd64.deb"
[ -f "$deb" ] || { echo "cpack made no $deb" >&2; exit 1; }
echo "$deb"
