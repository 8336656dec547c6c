#!/usr/bin/env bash
# Builds the editor and opens the bundled example folder (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target tarnconfig
folder="${1:-examples/studio-a}"
exec build/release/tarnconfig "$folder"
