#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window under Xvfb with a double spiral.
#   scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for p in xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p"; }
done
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/korva-batch" --screenshot docs/screenshot.png scripts/screenshot.korva
echo "wrote docs/screenshot.png"
