#!/usr/bin/env bash
# Installs the Debian 12 packages Quillet needs to build, run and test.
# Idempotent: packages already present are left alone; apt-get update runs only when needed.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev libgl-dev libfontconfig-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libdtl-dev
          qt6-svg-dev desktop-file-utils appstream dpkg-dev clang-format clang-14 libclang-rt-14-dev lld
          g++-mingw-w64-x86-64-posix googletest wine wine64
          xvfb xauth libxkbcommon-x11-0 libxcb-cursor0 fonts-dejavu-core fonts-dejavu-extra
          dbus-x11 at-spi2-core python3-pyatspi pngquant optipng gcovr)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
