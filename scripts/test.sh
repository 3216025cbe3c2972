#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh qt

for preset in default asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
  echo "== $preset done at ${SECONDS} s =="
done

# The fuzz targets, each for a short fixed time from its committed seed corpus (README: how to
# run them longer). New inputs go to a scratch corpus in the build folder, not to the repository.
echo "== fuzz =="
scripts/install-deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in build/fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  mkdir -p "build/fuzz/corpus/$name"
  "$target" -max_total_time=10 -print_final_stats=1 "build/fuzz/corpus/$name" "fuzz/corpus/$name" \
    2>"build/fuzz/$name.log" || { tail -n 40 "build/fuzz/$name.log"; exit 1; }
  echo "$name: $(grep -o 'stat::number_of_executed_units: [0-9]*' "build/fuzz/$name.log" |
    grep -o '[0-9]*$') executions in 10 s, no failure"
done

# The Windows programs, cross-built; every suite runs as a Windows executable under Wine, the GUI
# tests drive orlith.exe on a virtual display.
echo "== fuzz done at ${SECONDS} s =="

echo "== windows =="
scripts/install-deps.sh windows gui
cmake --preset windows >/dev/null
cmake --build --preset windows
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
# wineboot returns while the new prefix is still being set up; a GUI test started then finds no
# working display. Wait until Wine's server has finished.
/usr/lib/wine/wineserver64 -w
# A crashing test ends at once instead of waiting in Wine's debugger until the time-out.
/usr/lib/wine/wine64 reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
  /v Debugger /f >/dev/null 2>&1 || true
/usr/lib/wine/wineserver64 -w
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows
echo "== windows done at ${SECONDS} s =="

# The packages a user installs, made as the README says and tested as a user gets them; the
# Windows zip's programs run in the Wine prefix set up above.
echo "== package =="
scripts/package.sh
tests/package/package_test.sh build/packages
echo "== package done at ${SECONDS} s =="
