#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; arguments go to kzp-bench,
# e.g. --benchmark_filter=spiral. The drag benchmark runs once more on a
# screen of device pixel ratio 2 (QT_SCALE_FACTOR=2).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/setup.sh
kzp_ensure_packages "${KZP_PACKAGES[@]}"

build=${KZP_BUILD_DIR:-build-release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKZP_BUILD_TESTS=OFF -DKZP_BUILD_BENCH=ON
cmake --build "$build"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
runs=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
"$build/bench/kzp-bench" "${runs[@]}" "$@"
QT_SCALE_FACTOR=2 exec "$build/bench/kzp-bench" "${runs[@]}" "$@" --benchmark_filter=DragToRepaint
