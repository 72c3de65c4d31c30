#!/usr/bin/env bash
# Line coverage of src/ by the whole test suite (gcovr), built into ${QUILLET_COVERAGE_DIR:-build-coverage}.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUILLET_COVERAGE_DIR:-build-coverage}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage" -DQUILLET_BUILD_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
find "$build" -name '*.gcda' -delete
# Files the tests write go to a memory folder where there is one: fsync there costs nothing.
[ -d /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
gcovr -r . --filter 'src/' --exclude-unreachable-branches --print-summary "$build" -o "$build/coverage.txt"
echo "line coverage of src/ per file: $build/coverage.txt"
