#!/usr/bin/env bash
# Fails when a source file includes a project header from a layer it may not depend on.
# Layers depend downwards only: model <- controls, editors <- texts <- app <- json <- report <- cli;
# layout (the window's geometry) and app <- ui.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [model]="model"
  [controls]="model controls"
  [editors]="model editors"
  [texts]="model controls editors texts"
  [layout]="model layout"
  [app]="model controls editors texts app"
  [json]="model controls editors texts app json"
  [report]="model controls editors texts app json report"
  [ui]="model controls editors texts layout app ui"
  [cli]="model controls editors texts app json report cli"
)

status=0
for layer in "${!allowed[@]}"; do
  [ -d "src/$layer" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    included=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$line")
    if [[ " ${allowed[$layer]} " != *" $included "* ]]; then
      echo "layer rule: $file includes $included/ (src/$layer may include: ${allowed[$layer]})"
      status=1
    fi
  done < <(grep -rnE '#include "[a-z]+/' "src/$layer" || true)
done
exit $status
