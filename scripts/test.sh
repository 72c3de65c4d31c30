#!/usr/bin/env bash
# Builds Quillet and runs every test. Installs what it needs first (Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build=${QUILLET_BUILD_DIR:-build}
# The window's tests draw offscreen; nothing needs a display.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
