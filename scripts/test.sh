#!/usr/bin/env bash
# Builds everything and runs every test (offscreen unless a platform is set).
#   scripts/test.sh             the Debug build in build/
#   scripts/test.sh --sanitize  the same tests built with the address,
#                               undefined-behaviour and leak sanitizers, in build-sanitize/
#   scripts/test.sh --all       both, one after the other (what CI runs)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/setup.sh

mode=${1:-}
case "$mode" in
    ""|--sanitize|--all) ;;
    *) echo "usage: scripts/test.sh [--sanitize|--all]" >&2; exit 2 ;;
esac
kzp_ensure_packages "${KZP_PACKAGES[@]}"

jobs=${KZP_JOBS:-$(nproc)}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

run_build() {
    local build=$1
    shift
    local start=$SECONDS
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKZP_WERROR=ON "$@"
    cmake --build "$build" -j "$jobs"
    ctest --test-dir "$build" --output-on-failure -j "$jobs"
    echo "$build: built and tested in $((SECONDS - start)) s"
}

if [ "$mode" != --sanitize ]; then
    run_build "${KZP_BUILD_DIR:-build}"
fi
if [ -n "$mode" ]; then
    # Any finding ends its test with a failure; the suppressions hold only
    # allocations of the libraries below us that live until exit.
    export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    run_build "${KZP_SANITIZE_BUILD_DIR:-build-sanitize}" -DKZP_SANITIZE=ON -DKZP_BUILD_BENCH=OFF
fi
