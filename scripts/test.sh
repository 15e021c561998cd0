#!/usr/bin/env bash
# Installs what the project needs, builds the release configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
ctest --preset release -j "$(nproc)"
