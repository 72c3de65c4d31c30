#!/usr/bin/env bash
# Reads every page of the built window over the real accessibility bus (AT-SPI), as a screen
# reader would, and checks each caption, value and state against the game files it shows.
#
# Usage: scripts/atspi-check.sh [BUILD_DIR]
#
# Starts its own X server (Xvfb), session bus and accessibility bus, runs quillet on a copy of
# examples/cstrike and scripts/atspi_read.py beside it. Exits 77 (skipped) with the reason when
# the tools are missing or the bus cannot be started, 0 when every page reads right, 1 otherwise.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
skip() { echo "atspi-check: SKIP: $*"; exit 77; }

if [ "${1:-}" = "--inside" ]; then
  # Inside the X server and the session bus: the accessibility bus, the program, the reader.
  work="$2" build="$3"
  launcher=/usr/libexec/at-spi-bus-launcher
  "$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
  launcher_pid=$!
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QUILLET_STORE="$work/store.ini" LC_ALL=C.UTF-8 \
    "$build/quillet" >"$work/quillet.log" 2>&1 &
  quillet_pid=$!
  /usr/bin/python3 "$root/scripts/atspi_read.py" "$work/expected.json" "$work/keys.json"
  status=$?
  alive=1
  kill -0 "$quillet_pid" 2>/dev/null || alive=0
  kill "$quillet_pid" "$launcher_pid" 2>/dev/null
  wait "$quillet_pid" "$launcher_pid" 2>/dev/null
  if [ "$status" -eq 77 ]; then
    sed 's/^/  launcher: /' "$work/launcher.log"
    sed 's/^/  quillet: /' "$work/quillet.log"
    # A program that fails by itself is a fault; one without a display or bus is not.
    grep -q -i -e 'could not connect to display' -e 'dbus' "$work/quillet.log" "$work/launcher.log" ||
      { [ "$alive" = 1 ] || status=1; }
  fi
  exit "$status"
fi

build="$(cd "${1:-$root/build}" && pwd)"
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed (package xvfb)"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed (package dbus-x11 or dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus launcher is not installed (package at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
[ -x "$build/quillet" ] && [ -x "$build/quillet-cli" ] || { echo "atspi-check: build quillet and quillet-cli first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/cstrike" "$work/cstrike"
mkdir -p "$work/cstrike/cl_dlls"
printf '[init]\ncspath=%s\n' "$work/cstrike" > "$work/store.ini"
"$build/quillet-cli" show "$work/cstrike" --store "$work/store.ini" --json > "$work/expected.json" ||
  { echo "atspi-check: quillet-cli could not read the sample folder" >&2; exit 1; }
"$build/quillet-cli" keys "$work/cstrike" --json > "$work/keys.json" ||
  { echo "atspi-check: quillet-cli could not list the sample folder's keys" >&2; exit 1; }

# Another X server starting at the same moment may take the display number: try again then.
for attempt in 1 2 3; do
  timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$0" --inside "$work" "$build" 2> >(grep -v -e 'fd limit' -e XDG_RUNTIME_DIR >&2)
  status=$?
  [ "$status" -eq 124 ] && { echo "atspi-check: timed out"; exit 1; }
  [ "$status" -eq 77 ] || exit "$status"
  echo "atspi-check: attempt $attempt could not reach the bus"
  sleep $((attempt * 2))
done
skip "the accessibility bus could not be started under Xvfb (see above)"
