#!/usr/bin/env bash
# Takes pictures of every page of the built window for docs/screenshots/.
#
# Usage: scripts/screenshot.sh [BUILD_DIR] [OUT_DIR]
#   BUILD_DIR  the build folder holding the quillet program (default: build)
#   OUT_DIR    where the PNG files go (default: docs/screenshots)
#
# Builds nothing. Runs the program on a copy of examples/cstrike with a settings store of its
# own, so the user's store is never touched. The program walks through its pages and saves one
# picture of each itself (QUILLET_SCREENSHOT_DIR), under Xvfb when it is installed and on Qt's
# offscreen platform otherwise. A second run with an empty store shows the first-run window.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
out="${2:-$root/docs/screenshots}"
program="$build/quillet"
[ -x "$program" ] || { echo "screenshot.sh: no program at $program (build it first)" >&2; exit 1; }
[ -d "$root/examples/cstrike" ] || { echo "screenshot.sh: examples/cstrike is missing" >&2; exit 1; }
mkdir -p "$out"
out="$(cd "$out" && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/cstrike" "$work/cstrike"
mkdir -p "$work/cstrike/cl_dlls"  # an empty folder may be missing from a checkout
printf '[init]\ncspath=%s\n' "$work/cstrike" > "$work/store.ini"
: > "$work/empty.ini"

run() {  # run STORE OUT_DIR
  local env=(QUILLET_STORE="$1" QUILLET_SCREENSHOT_DIR="$2" LC_ALL=C.UTF-8)
  if command -v xvfb-run >/dev/null 2>&1; then
    timeout 60 env "${env[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$program"
  else
    timeout 60 env "${env[@]}" QT_QPA_PLATFORM=offscreen "$program"
  fi
}

# The main window, page by page (a first run would stop at the path window instead).
run "$work/store.ini" "$out"
# The first-run window, asking for the game folder.
mkdir -p "$work/first"
run "$work/empty.ini" "$work/first"
cp "$work/first/changepath.png" "$out/firstrun.png"
ls -1 "$out"/*.png
