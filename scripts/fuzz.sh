#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the whole core instrumented) and runs each of them.
#   scripts/fuzz.sh [SECONDS [TARGET...]]    default: 3 seconds each, every target
# Seeds come from the sample game folder, the test fixtures and, when present, ../shared/corpus.
# What a run learns is kept in $QUILLET_FUZZ_DIR/corpus/<target>; a failing input lands in
# .../findings and fails the run. The test command runs every target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-3}
shift || true
all=(autoexec config mapcycle motd briefing fields store set roundtrip keys)
targets=("${@:-${all[@]}}")
[ $# -eq 0 ] && targets=("${all[@]}")
build=${QUILLET_FUZZ_DIR:-build-fuzz}
corpus=../shared/corpus
sample=examples/cstrike
fixtures=tests/fixtures

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Optimised, with line tables only (set by the fuzz build), linked by lld where it is installed.
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
CXX=clang++-14 cmake -S . -B "$build" -DQUILLET_BUILD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" "${launcher[@]}" "${linker[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/quillet_fuzz_}" >/dev/null

# seed TARGET FILE...: copies the files that exist into the target's seed folder.
seed() {
  local dir=$build/seeds/$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/$(basename "$(dirname "$f")")-$(basename "$f")" || true; done
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
    # A missing file (the players' files are optional) is an empty piece.
    if [ -f "$f" ]; then cat "$f" >>"$out"; fi
  done
}

rm -rf "$build/seeds"
for kind in autoexec config mapcycle motd briefing; do
  seed "$kind" "$fixtures/$kind"/* "$corpus/$kind"/*
done
seed autoexec "$sample/autoexec.cfg"
seed config "$sample/config.cfg" "$fixtures"/server/* "$fixtures"/listenserver/* "$corpus"/server/* "$corpus"/listenserver/*
seed mapcycle "$sample/mapcycle.txt"
seed motd "$sample/motd.txt"
seed briefing "$sample"/maps/*.txt
# Inputs that once broke a check, and hostile ones every target must survive (the regression
# test runs them too).
for t in "${all[@]}"; do
  seed "$t" "$fixtures/fuzz/every"/* "$fixtures/fuzz/$t"/*
done
mkdir -p "$build/seeds/fields" "$build/seeds/store" "$build/seeds/set" "$build/seeds/roundtrip" "$build/seeds/keys"
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
printf 'txtname=O\047Neil\000txtteam={x}\000hostname=Srv:27015\000name=//x\000team=\303\211mile' >"$build/seeds/set/hostile"
# The round trip's input: autoexec.cfg, config.cfg, mapcycle.txt, motd.txt, a briefing,
# server.cfg and listenserver.cfg.
joined "$build/seeds/roundtrip/sample" "$sample/autoexec.cfg" "$sample/config.cfg" "$sample/mapcycle.txt" \
  "$sample/motd.txt" "$sample/maps/as_forest.txt"
joined "$build/seeds/roundtrip/fixtures" "$fixtures"/autoexec/1-* "$fixtures"/config/1-* "$fixtures"/mapcycle/1-* \
  "$fixtures"/motd/1-* "$fixtures"/briefing/1-* "$fixtures"/server/1-* "$fixtures"/listenserver/1-*
# Each file of the fixtures and of the corpus alone in its place, the other pieces empty.
kinds=(autoexec config mapcycle motd briefing server listenserver)
for k in "${!kinds[@]}"; do
  for f in "$fixtures/${kinds[$k]}"/* "$corpus/${kinds[$k]}"/*; do
    [ -f "$f" ] || continue
    { head -c "$k" /dev/zero; cat "$f"; } >"$build/seeds/roundtrip/alone-${kinds[$k]}-$(basename "$f")"
  done
done
i=0
for c in "$corpus"/config/*; do
  [ -f "$c" ] || continue
  i=$((i + 1))
  joined "$build/seeds/roundtrip/corpus-$i" "$corpus"/autoexec/1-* "$c" "$corpus"/mapcycle/1-* \
    "$corpus"/motd/1-* "$corpus"/briefing/1-* "$corpus"/server/1-* "$corpus"/listenserver/1-*
done
# The keys' input: config.cfg, autoexec.cfg and a file they may exec.
i=0
for c in "$corpus"/config/* "$fixtures"/config/*; do
  [ -f "$c" ] || continue
  i=$((i + 1))
  joined "$build/seeds/keys/config-$i" "$c" "$corpus"/autoexec/3-*
done
printf 'bind w a; bind W b\nalias +j "+jump; wait"\nexec a.cfg\000unbind w\nbind space +j\000bind w c\nexec a.cfg' \
  >"$build/seeds/keys/exec"

mkdir -p "$build/findings"
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  "$build/fuzz/quillet_fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$t-" "$build/corpus/$t" "$build/seeds/$t" \
    2>"$build/fuzz-$t.log" || {
    tail -n 40 "$build/fuzz-$t.log"
    echo "fuzz $t: FINDING, kept in $build/findings (log: $build/fuzz-$t.log)"
    exit 1
  }
  echo "fuzz $t: ${seconds}s, $(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$build/fuzz-$t.log" | tail -n 1)," \
    "$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz-$t.log") runs"
done
