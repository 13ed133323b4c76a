#!/usr/bin/env bash
# Builds the viewer (Release) and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/setup.sh
kzp_ensure_packages "${KZP_PACKAGES[@]}"

build=${KZP_BUILD_DIR:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKZP_BUILD_TESTS=OFF -DKZP_BUILD_BENCH=OFF
cmake --build "$build"
if [ ! -x "$build/app/kzp-viewer" ]; then
    echo "The viewer cannot be started yet: this build has no kzp-viewer." >&2
    exit 1
fi
exec "$build/app/kzp-viewer" "$@"
