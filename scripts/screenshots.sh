#!/usr/bin/env bash
# Renders the editor's tabs with the example folder into docs/screenshots (offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target tarn_screenshots
QT_QPA_PLATFORM=offscreen build/dev/tarn_screenshots examples/studio-a docs/screenshots
