#!/usr/bin/env bash
# Builds the reader's fuzz target with clang and runs it for SECONDS seconds.
# Findings land in fuzz-build/findings, the growing corpus in fuzz-build/corpus;
# every data file under tests/data seeds it. KZP_FUZZ_FORKS=N runs N fuzzing
# processes side by side.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS" >&2
    exit 2
fi
seconds=$1
source scripts/setup.sh
kzp_ensure_packages "${KZP_PACKAGES[@]}" "${KZP_FUZZ_PACKAGES[@]}"

build=${KZP_FUZZ_BUILD_DIR:-fuzz-build}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZP_FUZZ=ON \
    -DKZP_BUILD_TESTS=OFF -DKZP_BUILD_BENCH=OFF
cmake --build "$build" --target kzp-fuzz-reader -j "${KZP_JOBS:-3}"

mkdir -p "$build/corpus" "$build/findings"
# A memory-backed folder for the one file rewritten at every run.
[ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
forks=()
[ "${KZP_FUZZ_FORKS:-1}" -gt 1 ] && forks=(-fork="$KZP_FUZZ_FORKS")
exec "$build/fuzz/kzp-fuzz-reader" -max_total_time="$seconds" -timeout=10 -max_len=65536 \
    -artifact_prefix="$build/findings/" -print_final_stats=1 "${forks[@]}" \
    "$build/corpus" tests/data
