#!/usr/bin/env bash
# Makes the two packages a user installs, into build/packages: orlith_<version>_amd64.deb (the
# command line and Qt programs for Debian 12) and orlith-<version>-windows-x64.zip (orlith.exe
# and orlith-cli.exe, cross-built with MinGW-w64, to unpack into the FS2002 folder). Each is built
# in its own folder (build/package-deb, build/package-win): Release, no tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh qt windows package
rm -f build/packages/orlith_*.deb build/packages/orlith-*.zip
for preset in package-deb package-win; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  cpack --preset "$preset" >/dev/null
done
ls -l build/packages/orlith_*.deb build/packages/orlith-*.zip
