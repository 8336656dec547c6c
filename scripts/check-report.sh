#!/usr/bin/env bash
# Checks `tarnctl report` and the folder document's schema with real tools: a strict HTML5
# parser, an XML parser for every SVG, a JSON Schema validator against exports and refused
# imports, and headless Chromium rendering the report to PDF and PNG. With --screenshot it also
# writes docs/screenshots/report-overview.png from the same run. BUILD_DIR defaults to build/ci.
set -euo pipefail
cd "$(dirname "$0")/.."
screenshot=-
if [ "${1:-}" = "--screenshot" ]; then screenshot=$PWD/docs/screenshots/report-overview.png; shift; fi
build="${1:-build/ci}"
[ -f "$build/CMakeCache.txt" ] || cmake --preset ci >/dev/null
cmake --build "$build" --target tarnctl tarn_make_folder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Debian's Python and its python3-html5lib, python3-jsonschema and python3-pil, whatever
# python3 comes first on the PATH.
/usr/bin/python3 scripts/check_report.py "$build/tarnctl" "$build/bench/tarn_make_folder" \
  "$PWD/schema/tarnconfig-folder.schema.json" "$work" "$screenshot"
