#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format; lists every file that does not.
#   scripts/check-format.sh          check every tracked .cpp and .h file
#   scripts/check-format.sh --fix    reformat them in place instead
#   scripts/check-format.sh FILE...  check only these files
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatter" ] || { echo "check-format.sh: clang-format is not installed (apt-get install clang-format)" >&2; exit 2; }

fix=0
if [ "${1:-}" = "--fix" ]; then fix=1; shift; fi
if [ $# -gt 0 ]; then files=("$@"); else mapfile -t files < <(git ls-files '*.cpp' '*.h'); fi

if [ $fix = 1 ]; then
  "$formatter" -i --style=file "${files[@]}"
  exit 0
fi
bad=0
for f in "${files[@]}"; do
  if ! "$formatter" --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f"
    bad=1
  fi
done
[ $bad = 0 ] && echo "check-format.sh: ${#files[@]} files follow .clang-format"
exit $bad
