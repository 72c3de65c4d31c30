#!/usr/bin/env bash
# Builds the Release program and runs every benchmark; the figures and their targets come last.
#   scripts/bench.sh [benchmark options, e.g. --benchmark_filter=ConfigReaders]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLET_BUILD_DIR:-build}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target quillet_bench >/dev/null
exec "$build/bench/quillet_bench" "$@"
