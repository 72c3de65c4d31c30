#!/usr/bin/env bash
# Builds Quillet and runs every test. Installs what it needs first (Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

start=$SECONDS
bash scripts/build.sh
# Every C++ source follows .clang-format.
bash scripts/check-format.sh
build=${QUILLET_BUILD_DIR:-build}
built=$SECONDS
# The window's tests draw offscreen; nothing needs a display.
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
tested=$SECONDS
# Why each skipped test was skipped (GoogleTest writes the reason on the line after "Skipped").
log="$build/Testing/Temporary/LastTest.log"
[ -f "$log" ] && grep -A1 ': Skipped$' "$log" | grep -v -e ': Skipped$' -e '^--$' | sort -u | sed 's/^/skipped: /' || true
# The core and its tests on Windows: cross-built with mingw-w64, run under Wine.
bash scripts/test-windows.sh
windows=$SECONDS
# The whole suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
bash scripts/sanitize.sh
sanitized=$SECONDS
# Every fuzz target for a few seconds (clang build of the instrumented core, seeded from the
# sample folder, the fixtures and ../shared/corpus); a finding fails the run.
bash scripts/fuzz.sh 3
echo "test.sh: build $((built - start)) s, tests $((tested - built)) s, Windows build and tests $((windows - tested)) s," \
  "sanitizer build and tests $((sanitized - windows)) s, fuzzing build and runs $((SECONDS - sanitized)) s"
