#!/usr/bin/env bash
# Runs every built fuzz target for a few seconds each. Seeds come from
# fuzz/seeds/<target>/ when present; crashes fail the run.
set -euo pipefail
build=${1:-build-asan}
seconds=${2:-20}
top=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="$top/fuzz/seeds/$name"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz: $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "$corpus" \
        >"$corpus.log" 2>&1 || { tail -n 40 "$corpus.log"; rm -rf "$corpus"; exit 1; }
    tail -n 1 "$corpus.log"
    rm -rf "$corpus" "$corpus.log"
done
