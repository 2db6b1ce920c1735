#!/usr/bin/env bash
# run-fuzzer.sh FUZZER SEEDS SECONDS [JOBS]: fuzzes from the seeds for a
# bounded time; new inputs go to a scratch folder, never into the seeds.
set -euo pipefail
fuzzer=$1
seeds=$2
seconds=$3
jobs=${4:-1}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
args=(-max_total_time="$seconds" -max_len=4352 -rss_limit_mb=2048 -print_final_stats=1)
if [ "$jobs" -gt 1 ]; then
    args+=(-jobs="$jobs" -workers="$jobs")
fi
cd "$scratch"
"$fuzzer" "${args[@]}" "$scratch" "$seeds"
