#!/usr/bin/env bash
# Makes docs/screenshot.png and docs/screenshot-shapes.png: the main window
# under Xvfb with a double spiral, and with a series on a rounded square.
#   scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for p in xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p"; }
done
for shot in screenshot screenshot_shapes; do
  LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE= QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/korva-batch" --screenshot "docs/${shot//_/-}.png" "scripts/$shot.korva"
  echo "wrote docs/${shot//_/-}.png"
done
