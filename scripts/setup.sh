#!/usr/bin/env bash
# Installs what Hushmill needs from Debian's packages (only what is missing), then configures
# and builds it into build/. Arguments go to CMake. For builds with other options beside the
# normal one, HUSHMILL_BUILD_DIR names another folder and HUSHMILL_BUILD_TARGET the one target
# to build. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins qt6-wayland libgl-dev
  libcurl4-openssl-dev libpcre2-dev
  ffmpeg python3 openssl ca-certificates
  xvfb xauth imagemagick dbus-daemon fonts-dejavu-core
  desktop-file-utils appstream man-db parallel
)
scripts/install-packages.sh "${packages[@]}"

build="${HUSHMILL_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" --parallel 2 --target "${HUSHMILL_BUILD_TARGET:-all}"
