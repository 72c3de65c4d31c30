#!/usr/bin/env bash
# Installs what Quillet needs (Debian 12) and builds it into ${QUILLET_BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${QUILLET_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
