#!/usr/bin/env bash
# Runs clang-tidy (the root's .clang-tidy) over the programs' and the core's sources, every finding
# an error. It reads the compile commands of a build (build/release unless given), which must have
# been built: the desktop tool's sources include files the build generates.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
root=$(pwd)
# CMake writes each entry's "file" on a line of its own.
sed -n 's|^ *"file": "\(.*\)",\{0,1\}$|\1|p' "$build/compile_commands.json" | grep -E "^$root/(src|cli|sim|gui)/" |
  sort -u | xargs -r -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*'
