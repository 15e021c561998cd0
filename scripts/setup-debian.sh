#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Safe to run again: it
# refreshes the package lists once and installs only what is missing. dpkg-dev and file let cpack
# compute the Debian package's dependencies; man-db and groff-base render the man pages in tests;
# lintian checks the package in CI; clang-format checks the tree's formatting in CI and clang-tidy its
# code (.clang-tidy). ser2net is the port server the network link is tested against.
# libtomlplusplus-dev reads the inventory of many cameras (TOML: a format people edit by hand and
# scripts write, with a kept Debian reader that reports the line of a mistake); libsqlite3-dev
# holds the change journal, nettle-dev digests the files and tables it records (SHA-256);
# nlohmann-json3-dev reads and writes vr8200ctl's JSON (its --json output and the serve session);
# python3-pytest runs the tests of the Python package on serve.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libserialport-dev libcli11-dev libtomlplusplus-dev
  libsqlite3-dev nettle-dev nlohmann-json3-dev
  qt6-base-dev libgl-dev
  xvfb xauth
  dpkg-dev file man-db groff-base lintian
  clang libclang-rt-14-dev clang-format clang-tidy
  ser2net
  python3 python3-pytest
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
