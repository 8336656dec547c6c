#!/usr/bin/env bash
# Configures, builds and runs the whole test suite. PRESET selects the build (dev, ci, asan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-${PRESET:-dev}}"
if [ "${CI:-}" = "true" ] && [ "$preset" = "dev" ]; then preset=ci; fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
