#!/usr/bin/env bash
# Regenerates docs/screenshots/qt-*.png: the Qt program's main window, its four dialogs and a
# message box, rendered by its own widgets on Qt's offscreen platform (no display needed).
# BUILD_DIR chooses the build folder (default: build/default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/default}
cd "$root"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset default -B "$build"
fi
cmake --build "$build" -j2 --target orlith_qt_screenshots
mkdir -p docs/screenshots
QT_QPA_PLATFORM=offscreen "$build/ui/qt/testing/orlith_qt_screenshots" docs/screenshots
