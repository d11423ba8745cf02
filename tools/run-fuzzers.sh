#!/usr/bin/env bash
# Runs the built fuzz targets one after the other, each for the given number
# of seconds, and prints one line per target: executions, coverage (libFuzzer's
# cov and ft counters), corpus size and the outcome.
#
#   tools/run-fuzzers.sh [BUILD [SECONDS [TARGET...]]]
#
# BUILD defaults to build-asan, SECONDS (per target) to 20, the targets to
# every fuzz_* program in BUILD/fuzz. Seeds come from fuzz/seeds/<target>/.
# With KELVRA_FUZZ_CORPUS=DIR the grown corpus of each target is kept in
# DIR/<target>/ (and used as the starting corpus next time). Crashing inputs
# are kept in BUILD/fuzz-findings/; any finding makes the run fail.
set -euo pipefail
build=${1:-build-asan}
seconds=${2:-20}
shift $(($# < 2 ? $# : 2))
top=$(cd "$(dirname "$0")/.." && pwd)
findings="$build/fuzz-findings"
shopt -s nullglob

targets=()
if [ $# -gt 0 ]; then
    for name in "$@"; do targets+=("$build/fuzz/$name"); done
else
    targets=("$build"/fuzz/fuzz_*)
fi

failed=0
for target in "${targets[@]}"; do
    [ -f "$target" ] && [ -x "$target" ] || { echo "fuzz: no target $target"; failed=1; continue; }
    name=$(basename "$target")
    work=$(mktemp -d)
    if [ -n "${KELVRA_FUZZ_CORPUS:-}" ]; then
        corpus="$KELVRA_FUZZ_CORPUS/$name"
        mkdir -p "$corpus"
    else
        corpus="$work/corpus"
        mkdir -p "$corpus"
    fi
    seeds="$top/fuzz/seeds/$name"
    [ -d "$seeds" ] && cp -rn "$seeds"/. "$corpus"/
    mkdir -p "$findings"
    # The precipitation threshold table is read only when it holds its whole
    # 512 KiB; shorter inputs would never get past its size check.
    # A whole table of zeros is made here rather than kept among the seeds.
    max_len=65536
    if [ "$name" = fuzz_thresholds ]; then
        max_len=$((512 * 1024 + 64))
        [ -f "$corpus/whole-table" ] || head -c $((512 * 1024)) /dev/zero >"$corpus/whole-table"
    fi
    echo "fuzz: $name for ${seconds}s"
    status=0
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len="$max_len" -timeout=60 \
        -print_final_stats=1 -artifact_prefix="$findings/$name-" "$corpus" \
        >"$work/log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    last=$(grep -E '^#[0-9]+' "$work/log" | tail -n 1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
    if [ "$status" -eq 0 ]; then
        outcome=clean
    else
        outcome="FINDING (exit $status)"
        failed=1
        tail -n 40 "$work/log"
    fi
    echo "fuzz: $name runs=${runs:-?} cov=${cov:-?} ft=${ft:-?} corpus=${corp:-?} $outcome"
    rm -rf "$work"
done
exit "$failed"
