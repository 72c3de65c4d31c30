#!/usr/bin/env bash
# Installs what Quillet needs (Debian 12) and builds it into ${QUILLET_BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${QUILLET_BUILD_DIR:-build}
launcher=()
# Rebuilds go faster through ccache where it is installed; nothing depends on it.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
