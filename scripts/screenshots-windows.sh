#!/usr/bin/env bash
# Regenerates docs/screenshots/win-*.png: builds the Windows program, runs it under Wine on a
# virtual display and saves the title window, each dialog, a message box and the Tools windows.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows gui
cmake --preset windows >/dev/null
cmake --build build/windows -j2 --target orlith orlith_screenshots

export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
"$wine" wineboot -i >/dev/null 2>&1
# wineboot returns while a new prefix is still being set up: wait for Wine's server to finish.
/usr/lib/wine/wineserver64 -w
# Wine draws the frames itself: Xvfb has no window manager.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
/usr/lib/wine/wineserver64 -w

sim=$(mktemp -d)
trap 'rm -rf "$sim"' EXIT
cp examples/ourairports/navaids-BE.csv "$sim/navaids.csv"
printf '[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.001]\r\nTitle=Default Terrain\r\nLocal=Scenery\\BASE\r\nActive=TRUE\r\n' >"$sim/scenery.cfg"

sim_windows=$("$wine" winepath -w "$sim" 2>/dev/null)
# Wine's server, started above without a display, must end first: a program started while it
# still runs would find no display for its windows.
/usr/lib/wine/wineserver64 -w
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$wine" build/windows/ui/win32/orlith_screenshots.exe "$sim_windows"

mkdir -p docs/screenshots
for bmp in "$sim"/win-*.bmp; do
  convert "$bmp" "docs/screenshots/$(basename "${bmp%.bmp}").png"
done
ls docs/screenshots/win-*.png
