#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer + UBSan (preset fuzz) and runs
# them, one after another.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   fuzz each target for SECONDS (default 60)
#   scripts/fuzz.sh --replay [TARGET...]    run every input of the corpora once
#
# Prints per target the executions, executions per second, coverage (libFuzzer's cov and ft)
# and findings. New inputs go to WORK/corpus/TARGET, findings to WORK/findings/TARGET, logs to
# WORK/logs (WORK is FUZZ_WORK_DIR, by default build/fuzz/work). The seed corpora
# tests/fuzz/corpus/TARGET are only read. Exit status 1 when a target failed or found anything.
set -euo pipefail
cd "$(dirname "$0")/.."

targets_all=(control_parser channel_names folder_load folder_import)
mode=fuzz
seconds=60
if [ "${1:-}" = "--replay" ]; then
    mode=replay
    shift
elif [ -n "${1:-}" ] && [[ "$1" =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi
targets=("${@:-${targets_all[@]}}")
for target in "${targets[@]}"; do
    if [[ ! " ${targets_all[*]} " =~ " $target " ]]; then
        echo "fuzz.sh: unknown target $target (targets: ${targets_all[*]})" >&2
        exit 2
    fi
done

# ASan's default 256 MB quarantine sends every allocation to fresh pages, and page faults then
# cost more than the loads themselves. 64 MB still catches a use after free within the last
# dozens of inputs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64:malloc_context_size=8}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

build_dir=build/fuzz
work=${FUZZ_WORK_DIR:-$build_dir/work}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p "$work/logs"

# Largest input libFuzzer may make: a folder load must reach two mix files above 16416 bytes.
max_len() {
    case $1 in
    folder_load) echo 40000 ;;
    *) echo 4096 ;;
    esac
}

# The value of libFuzzer's final statistic $2 in log $1.
stat() { sed -n "s/^stat::$2: *//p" "$1" | tail -n 1; }
# The last coverage figure ("cov" or "ft") libFuzzer printed in log $1.
coverage() { grep -Eo " $2: [0-9]+" "$1" | tail -n 1 | grep -Eo '[0-9]+' || echo "-"; }

status=0
summary=()
for target in "${targets[@]}"; do
    binary=$build_dir/tests/fuzz/${target}_fuzz
    seeds=tests/fuzz/corpus/$target
    corpus=$work/corpus/$target
    findings=$work/findings/$target
    log=$work/logs/$target.log
    mkdir -p "$corpus" "$findings"
    echo "== $target ($mode)"
    rc=0
    if [ "$mode" = replay ]; then
        # Each input once, seeds and what earlier runs kept; any crash or invariant fails.
        mapfile -t inputs < <(find "$seeds" "$corpus" -type f | sort)
        "$binary" -artifact_prefix="$findings/" -timeout=25 "${inputs[@]}" >"$log" 2>&1 || rc=$?
        runs=$(grep -c '^Executed ' "$log" || true)
        verdict=ok
        if [ "$rc" -ne 0 ] || [ -n "$(find "$findings" -type f)" ]; then verdict=FAILED; fi
        summary+=("$(printf '%-15s %9s inputs replayed of %-6s %s' "$target" "$runs" \
            "${#inputs[@]}" "$verdict")")
    else
        # The RSS creeps up by a few hundred bytes per input under the quarantine as inputs
        # grow (no leak: without quarantine it stays flat), so long runs get more than 2 GB.
        "$binary" -max_total_time="$seconds" -print_final_stats=1 -timeout=25 -rss_limit_mb=4096 \
            -max_len="$(max_len "$target")" -dict="tests/fuzz/$target.dict" \
            -artifact_prefix="$findings/" "$corpus" "$seeds" >"$log" 2>&1 || rc=$?
        summary+=("$(printf '%-15s %12s %8s %6s %7s %7s %9s' "$target" \
            "$(stat "$log" number_of_executed_units)" "$(stat "$log" average_exec_per_sec)" \
            "$(coverage "$log" cov)" "$(coverage "$log" ft)" "$(find "$corpus" -type f | wc -l)" \
            "$(find "$findings" -type f | wc -l)")")
    fi
    found=$(find "$findings" -type f | sort)
    if [ "$rc" -ne 0 ] || [ -n "$found" ]; then
        status=1
        echo "$target: libFuzzer exit status $rc; log $log"
        grep -E 'ERROR|invariant violated|SUMMARY' "$log" | head -n 5 || true
        [ -z "$found" ] || echo "$found"
    fi
done

echo
if [ "$mode" = replay ]; then
    printf '%s\n' "${summary[@]}"
else
    printf '%-15s %12s %8s %6s %7s %7s %9s\n' target executions exec/s cov ft corpus findings
    printf '%s\n' "${summary[@]}"
fi
exit $status
