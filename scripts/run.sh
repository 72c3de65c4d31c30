#!/usr/bin/env bash
# Builds Quillet and starts it. Installs what it needs first (Debian 12).
#   scripts/run.sh          start Quillet on your own game folder (it asks for it the first time)
#   scripts/run.sh --demo   start it on the sample game folder in examples/, with a store of its own
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build=${QUILLET_BUILD_DIR:-build}

if [ "${1:-}" = "--demo" ]; then
  # A copy, so the sample stays as shipped however often Save is pressed.
  demo=$(mktemp -d -t quillet-demo-XXXXXX)
  cp -r examples/cstrike "$demo/cstrike"
  printf '[init]\ncspath=%s\n' "$demo/cstrike" > "$demo/quillet.ini"
  export QUILLET_STORE="$demo/quillet.ini"
  echo "Sample game folder: $demo/cstrike"
fi

if [ -x "$build/quillet" ]; then
  exec "$build/quillet"
else
  exec "$build/quillet-cli" --help
fi
