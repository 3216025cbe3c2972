#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Orlith. Pass extra package
# groups as arguments: qt, windows, gui, fuzz, bench, package. Installs nothing that is already
# there.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev)
for group in "$@"; do
  case "$group" in
    qt) packages+=(qt6-base-dev fonts-liberation) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix googletest wine64) ;;
    gui) packages+=(xvfb xdotool imagemagick fonts-liberation) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(libbenchmark-dev time) ;;
    # dpkg-shlibdeps (dpkg-dev) finds the .deb's dependencies; lintian checks it; the zip tools.
    package) packages+=(dpkg-dev lintian zip unzip) ;;
    *) echo "install-deps: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # With the recommended packages: Wine draws and renders its fonts through them (the X
  # extensions, fonts-wine), and the GUI tests were measured that way.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
