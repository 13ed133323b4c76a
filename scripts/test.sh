#!/usr/bin/env bash
# Builds everything and runs every test (offscreen unless a platform is set).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/setup.sh
kzp_ensure_packages "${KZP_PACKAGES[@]}"

build=${KZP_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKZP_WERROR=ON
cmake --build "$build"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
