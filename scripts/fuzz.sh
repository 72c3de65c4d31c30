#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the whole core instrumented) and runs each of them.
#   scripts/fuzz.sh [SECONDS [TARGET...]]    default: 3 seconds each, every target
# Seeds come from the sample game folder and, when present, from ../shared/corpus. What a run
# learns is kept in $QUILLET_FUZZ_DIR/corpus/<target>; a failing input lands in .../findings.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-3}
shift || true
all=(autoexec config mapcycle motd briefing fields store set roundtrip)
targets=("${@:-${all[@]}}")
[ $# -eq 0 ] && targets=("${all[@]}")
build=${QUILLET_FUZZ_DIR:-build-fuzz}
corpus=../shared/corpus
sample=examples/cstrike

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++-14 cmake -S . -B "$build" -DQUILLET_BUILD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/quillet_fuzz_}" >/dev/null

# seed TARGET FILE...: copies the files that exist into the target's seed folder.
seed() {
  local dir=$build/seeds/$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/" || true; done
}
# joined OUT FILE...: the files one after another, separated by NUL bytes.
joined() {
  local out=$1
  shift
  : >"$out"
  local first=1
  for f in "$@"; do
    [ $first -eq 1 ] || printf '\0' >>"$out"
    first=0
    [ -f "$f" ] && cat "$f" >>"$out"
  done
}

rm -rf "$build/seeds"
seed autoexec "$sample/autoexec.cfg" "$corpus"/autoexec/*
seed config "$sample/config.cfg" "$corpus"/config/* "$corpus"/server/* "$corpus"/listenserver/*
seed mapcycle "$sample/mapcycle.txt" "$corpus"/mapcycle/*
seed motd "$sample/motd.txt" "$corpus"/motd/*
seed briefing "$sample"/maps/*.txt "$corpus"/briefing/*
mkdir -p "$build/seeds/fields" "$build/seeds/store" "$build/seeds/set" "$build/seeds/roundtrip"
n=0
for f in "$sample/autoexec.cfg" "$sample/config.cfg" "$corpus"/config/*; do
  [ -f "$f" ] || continue
  head -n 40 "$f" | while IFS= read -r line; do
    n=$((n + 1))
    printf '\002\002%s' "$line" >"$build/seeds/fields/$(basename "$f")-$n"
  done
done
printf '\001\001gamma 2.5' >"$build/seeds/fields/gamma"
printf '\002\003a b c d' >"$build/seeds/fields/range"
printf '\001\001&H1F' >"$build/seeds/fields/hex"
printf '255\000180\00030\000True\000False\000True\000False\000True\00016\000127.0.0.1\00027015\000de_dust\000False\000True' \
  >"$build/seeds/store/typical"
printf 'scrollgamma=25\000txtname=Red Fox\000hostname=My server\000gamma=2.5' >"$build/seeds/set/typical"
printf 'txtmotd=hello\000img_server(4)=0\000mp_friendlyfire=1\000sv_password=a;b' >"$build/seeds/set/more"
joined "$build/seeds/roundtrip/sample" "$sample/autoexec.cfg" "$sample/config.cfg" "$sample/mapcycle.txt" \
  "$sample/motd.txt" "$sample/maps/as_forest.txt"
i=0
for c in "$corpus"/config/*; do
  [ -f "$c" ] || continue
  i=$((i + 1))
  joined "$build/seeds/roundtrip/corpus-$i" "$corpus"/autoexec/1-* "$c" "$corpus"/mapcycle/1-* \
    "$corpus"/motd/1-* "$corpus"/briefing/1-*
done

mkdir -p "$build/findings"
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  echo "fuzz $t: ${seconds}s"
  "$build/fuzz/quillet_fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$t-" "$build/corpus/$t" "$build/seeds/$t" \
    2>"$build/fuzz-$t.log" || { tail -n 40 "$build/fuzz-$t.log"; exit 1; }
  grep -E "^stat::number_of_executed_units|^stat::peak_rss" "$build/fuzz-$t.log" | tr '\n' ' '
  echo
done
