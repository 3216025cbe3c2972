#!/usr/bin/env bash
# Builds Orlith and runs its main job on a fresh copy of the sample simulator folder: Belgium's
# navaids from OurAirports imported and applied into the updates area's scenery folder, a batch of
# NavAid commands and a few single commands, then shows what is in effect.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh qt
cmake --preset default >/dev/null
cmake --build --preset default --target orlith-cli
cli="$PWD/build/default/cli/orlith-cli"

sim="$(mktemp -d "${TMPDIR:-/tmp}/orlith-sim.XXXXXX")"
cp -R examples/simulator/. "$sim/"
cp examples/navaids.csv examples/ourairports/navaids-BE.csv "$sim/"
echo "Simulator folder: $sim"

run() {
  echo
  echo "\$ orlith-cli $*"
  "$cli" -C "$sim" "$@"
}

updates="Addon Scenery/Updates/scenery"
mkdir -p "$sim/$updates"
run import navaids-BE.csv --country BE -o belgium.csv
echo "(the first rows of belgium.csv, Latin-1:)"
head -n 4 "$sim/belgium.csv" | iconv -f ISO-8859-1 -t UTF-8
run import navaids-BE.csv --country BE --apply --scenery-folder "$updates"
run batch navaids.csv
run delete --lat "N51 28.6" --lon "W0 27.1" --type VOR
run create --lat "N51 28.6" --lon "W0 27.1" --type ndb --frequency 382 --range 15 \
  --altitude 25 --id LHR --name "HEATHROW NDB"

echo
echo "== The end of scenery.cfg"
tail -n 14 "$sim/scenery.cfg"
echo
echo "== orlith.log"
iconv -f ISO-8859-1 -t UTF-8 "$sim/orlith.log" | tail -n 40  # the degree sign is one Latin-1 byte
for bgl in "$sim"/*.bgl; do
  echo
  echo "== $(basename "$bgl")"
  "$cli" inspect "$bgl"
done
run list --scenery-folder "$updates" | iconv -f ISO-8859-1 -t UTF-8  # names are Latin-1

# The desktop program, when there is a screen to show it on: a second fresh copy of the folder.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build --preset default --target orlith
  gui_sim="$(mktemp -d "${TMPDIR:-/tmp}/orlith-gui.XXXXXX")"
  cp -R examples/simulator/. "$gui_sim/"
  echo
  echo "== Opening the Orlith window on $gui_sim (\"Exit Program\" ends it)"
  build/default/ui/qt/orlith -C "$gui_sim" || echo "orlith ended with status $?"
else
  echo
  echo "No display: on a desktop, build/default/ui/qt/orlith -C DIR opens the Orlith window."
fi
