#!/usr/bin/env bash
# The installed tree and the Debian package: what `cmake --install` and `cpack -G DEB` put
# where, that the installed programs run and find their pictures, and that the desktop entry
# and the metainfo pass their validators.
#
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
problem() { echo "FAIL: $*" >&2; fail=1; }

id=io.github.quillet.Quillet
expected=(
  bin/quillet-cli
  share/man/man1/quillet-cli.1.gz
  share/bash-completion/completions/quillet-cli
  share/doc/quillet/LICENSE
  share/doc/quillet/CHANGELOG.md
  share/doc/quillet/README.md
)
gui=0
if [ -x "$build/quillet" ]; then
  gui=1
  expected+=(bin/quillet share/man/man1/quillet.1.gz share/applications/$id.desktop
             share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg)
  for size in 16 24 32 48 64 128 256; do expected+=(share/icons/hicolor/${size}x${size}/apps/$id.png); done
  for map in as_forest as_oilrig as_tundra cs_747 cs_assault cs_backalley cs_docks cs_estate cs_italy \
             cs_militia cs_siege de_aztec de_cbble de_dust de_nuke de_prodigy de_railroad de_train es_trinity; do
    expected+=(share/quillet/img/$map.jpg share/quillet/img/$map@2x.jpg)
  done
fi

check_tree() {  # check_tree ROOT WHAT
  for f in "${expected[@]}"; do [ -s "$1/$f" ] || problem "$2: $f is missing"; done
  local extra
  extra=$(cd "$1" && find . -type f | sed 's|^\./||' | grep -v -x -F "$(printf '%s\n' "${expected[@]}")" || true)
  [ -z "$extra" ] || problem "$2: unexpected files: $extra"
}

# 1. cmake --install into a staging folder.
cmake --install "$build" --prefix "$work/stage" >/dev/null
check_tree "$work/stage" "cmake --install"
version=$("$work/stage/bin/quillet-cli" --version)
[ "$version" = "quillet-cli $(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")" ] ||
  problem "installed quillet-cli --version says '$version'"
if [ $gui = 1 ]; then
  out=$(desktop-file-validate "$work/stage/share/applications/$id.desktop" 2>&1) || problem "desktop-file-validate: $out"
  appstreamcli validate --no-net "$work/stage/share/metainfo/$id.metainfo.xml" >/dev/null ||
    problem "appstreamcli validate: $(appstreamcli validate --no-net "$work/stage/share/metainfo/$id.metainfo.xml")"
  # The installed window starts on the sample folder and finds its pictures in
  # ../share/quillet/img: any load error would stop it at a message box until the timeout.
  cp -r "$source/examples/cstrike" "$work/cstrike"
  mkdir -p "$work/cstrike/cl_dlls" "$work/shots"
  printf '[init]\ncspath=%s\n' "$work/cstrike" > "$work/store.ini"
  QT_QPA_PLATFORM=offscreen QUILLET_STORE="$work/store.ini" QUILLET_SCREENSHOT_DIR="$work/shots" \
    timeout 60 "$work/stage/bin/quillet" >/dev/null 2>&1 || problem "the installed quillet did not start cleanly"
fi

# 2. The Debian package.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) ||
  problem "cpack -G DEB: $(cat "$work/cpack.log")"
deb=$(ls "$work"/pkg/quillet_*.deb 2>/dev/null | head -1)
if [ -n "$deb" ]; then
  dpkg-deb -x "$deb" "$work/deb"
  check_tree "$work/deb/usr" "the .deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libc6 libstdc++6 libqt6core6; do
    grep -q "$lib" <<<"$depends" || problem "the .deb's Depends lacks $lib: $depends"
  done
  [ $gui = 0 ] || grep -q libqt6widgets6 <<<"$depends" || problem "the .deb's Depends lacks libqt6widgets6: $depends"
  [ "$(stat -c %a "$work/deb/usr/bin/quillet-cli")" = 755 ] || problem "bin/quillet-cli is not mode 755"
else
  problem "cpack made no quillet_*.deb"
fi
[ $fail = 0 ] && echo "install tree and package: OK"
exit $fail
