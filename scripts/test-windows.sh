#!/usr/bin/env bash
# The toolkit-free core and its tests, cross-built for 64-bit Windows with mingw-w64 and run
# under Wine. Installs what it needs first (Debian 12). Called by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLET_WINDOWS_BUILD_DIR:-build-mingw}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUILLET_CORE_ONLY=ON \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

# A Wine prefix of its own in the build folder: made once, then reused; no window, no messages.
export WINEPREFIX="$(cd "$build" && pwd)/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
ctest --test-dir "$build" --output-on-failure --timeout 900
wineserver -k 2>/dev/null || true
