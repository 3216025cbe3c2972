#!/usr/bin/env bash
# Tests the two packages as a user gets them (scripts/package.sh makes them): lintian finds no
# error in the .deb; the .deb, unpacked, holds the programs, manual pages and documents, declares
# Qt, and its orlith-cli prints the version of project() and runs the sample batch on a copy of
# the sample folder; the zip's programs need only Windows' own DLLs, its texts have CR LF line
# ends, and its orlith-cli.exe, unpacked into another copy of the folder and run there under
# Wine, writes the same files, byte for byte, as the .deb's did.
# Usage: package_test.sh [PACKAGE_DIR]   (default: build/packages)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
packages=${1:-$root/build/packages}
version=$(sed -n 's/^project(Orlith VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
deb=$packages/orlith_${version}_amd64.deb
zip=$packages/orlith-${version}-windows-x64.zip
fail() {
  echo "package test: $*" >&2
  exit 1
}
[ -n "$version" ] || fail "no version in project() of CMakeLists.txt"
[ -f "$deb" ] && [ -f "$zip" ] || fail "missing $deb or $zip (made by scripts/package.sh)"
work=$(mktemp -d "${TMPDIR:-/tmp}/orlith-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
updates="Addon Scenery/Updates/scenery"

# lintian: errors fail, the rest is shown.
lintian_rc=0
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || lintian_rc=$?
grep -v 'running with root privileges' "$work/lintian.txt" || true
echo "lintian: $(grep -c '^E:' "$work/lintian.txt") errors, $(grep -c '^W:' "$work/lintian.txt") warnings"
[ "$lintian_rc" -eq 0 ] || fail "lintian reports errors on $(basename "$deb")"

# The .deb as dpkg would install it.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the .deb does not depend on Qt 6"
dpkg -x "$deb" "$work/deb"
doc=$work/deb/usr/share/doc/orlith
for f in usr/bin/orlith-cli usr/bin/orlith usr/share/man/man1/orlith-cli.1.gz \
  usr/share/man/man1/orlith.1.gz usr/share/doc/orlith/copyright \
  usr/share/doc/orlith/changelog.gz usr/share/doc/orlith/examples/navaids.csv \
  usr/share/doc/orlith/examples/simulator/scenery.cfg; do
  [ -f "$work/deb/$f" ] || fail "the .deb lacks /$f"
done
zcat "$doc/changelog.gz" | head -n 1 | grep -qF "orlith ($version)" ||
  fail "the changelog's last entry is not version $version"
[ "$("$work/deb/usr/bin/orlith-cli" --version)" = "orlith-cli $version" ] ||
  fail "orlith-cli --version does not print $version"
[ "$(QT_QPA_PLATFORM=offscreen "$work/deb/usr/bin/orlith" --version)" = "orlith $version" ] ||
  fail "orlith --version does not print $version"
cp -R "$doc/examples/simulator" "$work/linux"
"$work/deb/usr/bin/orlith-cli" -C "$work/linux" batch --scenery-folder "$updates" \
  "$doc/examples/navaids.csv" >"$work/linux.out"

# The zip as a user unpacks it into the FS2002 folder.
unzip -q "$zip" -d "$work/zip"
for f in orlith.exe orlith-cli.exe README.txt LICENSE.txt examples/navaids.csv \
  examples/simulator/scenery.cfg; do
  [ -f "$work/zip/$f" ] || fail "the zip lacks $f"
done
for exe in orlith.exe orlith-cli.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$work/zip/$exe" | sed -n 's/^\s*DLL Name: //p')
  [ -n "$dlls" ] || fail "no DLL list in $exe"
  for dll in $dlls; do
    case "${dll,,}" in
      kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | shell32.dll) ;;
      # The Tools windows' list views and progress bar, and the file dialog of Browse.
      comctl32.dll | comdlg32.dll) ;;
      *) fail "$exe needs $dll, which Windows does not have" ;;
    esac
  done
done
for text in README.txt LICENSE.txt; do
  ! grep -qv $'\r$' "$work/zip/$text" || fail "$text has a line without CR LF"
done
grep -qF "Orlith $version for Windows" "$work/zip/README.txt" || fail "README.txt lacks $version"

cp -R "$work/zip/examples/simulator" "$work/windows"
unzip -q "$zip" -d "$work/windows"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$root/build/package-win/wineprefix}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
fi
(cd "$work/windows" && "$wine" orlith-cli.exe --version) >"$work/version.out"
[ "$(tr -d '\r' <"$work/version.out")" = "orlith-cli $version" ] ||
  fail "orlith-cli.exe --version does not print $version"
(cd "$work/windows" &&
  "$wine" orlith-cli.exe batch --scenery-folder "${updates//\//\\}" 'examples\navaids.csv') \
  >"$work/windows.out"
/usr/lib/wine/wineserver64 -w
# Windows ends the messages' lines with CR LF.
tr -d '\r' <"$work/windows.out" >"$work/windows.lf"
cmp -s "$work/linux.out" "$work/windows.lf" ||
  fail "the batch's messages differ under Wine: $(diff "$work/linux.out" "$work/windows.lf")"

# Every file the batch wrote, byte for byte; in orlith.log the date is masked and the scenery
# folder written as typed (with \ on Windows). The zip's own files and the lock are not compared.
(cd "$work/linux" && find . -type f ! -name orlith.log | sort) >"$work/linux.files"
(cd "$work/windows" && find . -type f ! -name orlith.log ! -name orlith.lock | sort |
  grep -vxF -f <(cd "$work/zip" && find . -type f) || true) >"$work/windows.files"
cmp -s "$work/linux.files" "$work/windows.files" ||
  fail "the files differ: $(diff "$work/linux.files" "$work/windows.files")"
grep -q 'bgl$' "$work/linux.files" || fail "the batch wrote no scenery file"
while IFS= read -r f; do
  cmp "$work/linux/$f" "$work/windows/$f" || fail "$f differs under Wine"
done <"$work/linux.files"
mask() { sed -E 's/^[0-9]{2} [A-Z][a-z]{2} [0-9]{4}(\r?)$/DATE\1/' "$1" | tr '\\' /; }
cmp <(mask "$work/linux/orlith.log") <(mask "$work/windows/orlith.log") ||
  fail "orlith.log differs under Wine beyond its date"
echo "package test: $(basename "$deb") and $(basename "$zip") pass;" \
  "$(wc -l <"$work/linux.files") files of the sample batch are the same under Wine"
