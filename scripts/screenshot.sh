#!/usr/bin/env bash
# Takes pictures of every page of the built window for docs/screenshots/, in the light and the
# dark palette, at 100 % and at 200 % scale.
#
# Usage: scripts/screenshot.sh [BUILD_DIR] [OUT_DIR]
#   BUILD_DIR  the build folder holding the quillet program (default: build)
#   OUT_DIR    where the PNG files go (default: docs/screenshots); they land in OUT_DIR/light and
#              OUT_DIR/dark, named <page>.png at 100 % and <page>@2x.png at 200 %
#
# Builds nothing. Runs the program on a copy of examples/cstrike with a settings store of its
# own, so the user's store is never touched. The program walks through its pages and saves one
# picture of each itself (QUILLET_SCREENSHOT_DIR), under Xvfb when it is installed and on Qt's
# offscreen platform otherwise. A second run with an empty store shows the first-run window.
# The pictures are made smaller with pngquant and optipng where those are installed.
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

run() {  # run STORE OUT_DIR PALETTE SCALE SUFFIX
  local env=(QUILLET_STORE="$1" QUILLET_SCREENSHOT_DIR="$2" QUILLET_SCREENSHOT_PALETTE="$3"
             QT_SCALE_FACTOR="$4" QUILLET_SCREENSHOT_SUFFIX="$5" LC_ALL=C.UTF-8)
  if command -v xvfb-run >/dev/null 2>&1; then
    timeout 60 env "${env[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" "$program"
  else
    timeout 60 env "${env[@]}" QT_QPA_PLATFORM=offscreen "$program"
  fi
}

for palette in light dark; do
  mkdir -p "$out/$palette"
  for scale in 1 2; do
    suffix=""
    [ "$scale" = 1 ] || suffix="@${scale}x"
    # The main window, page by page (a first run would stop at the path window instead).
    run "$work/store.ini" "$out/$palette" "$palette" "$scale" "$suffix"
    # The first-run window, asking for the game folder.
    : > "$work/empty.ini"
    mkdir -p "$work/first"
    run "$work/empty.ini" "$work/first" "$palette" "$scale" "$suffix"
    cp "$work/first/changepath$suffix.png" "$out/$palette/firstrun$suffix.png"
  done
done

if command -v pngquant >/dev/null 2>&1; then
  pngquant --force --skip-if-larger --strip --quality 70-95 --ext .png "$out"/*/*.png || true
fi
if command -v optipng >/dev/null 2>&1; then
  optipng -quiet -o2 -strip all "$out"/*/*.png
fi
ls -1 "$out"/*/*.png
