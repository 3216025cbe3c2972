#!/usr/bin/env bash
# The mutation run (scripts/mutate.py) on a scratch copy of the committed code, so the checkout is
# never changed: build/mutate/src is a clone of HEAD, build/mutate/build its quick build (tests, no
# Qt, -O1). Usage: scripts/mutate.sh [COUNT] [SEED]; results in build/mutate/results.tsv.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/mutate
scripts=$root/scripts
"$scripts/install-deps.sh"
rm -rf "$work/src"
mkdir -p "$work"
git -C "$root" worktree prune
git clone -q --no-hardlinks "$root" "$work/src"
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1 -g0" \
  -DORLITH_BUILD_TESTS=ON -DORLITH_BUILD_QT=OFF >/dev/null
cmake --build "$work/build" -j2 >/dev/null
python3 "$scripts/mutate.py" "$work/src" "$work/build" "$work/results.tsv" "${1:-200}" "${2:-20261207}"
python3 "$scripts/mutate_report.py" "$work/results.tsv"
