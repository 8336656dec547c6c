#!/usr/bin/env bash
# Checks the sources before any build: clang-format over src, tests and bench, and the layer rule.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'tools/*.cpp' |
  xargs -r clang-format --dry-run -Werror
scripts/check-layers.sh
echo "sources: formatted, layers kept"
