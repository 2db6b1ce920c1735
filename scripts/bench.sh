#!/usr/bin/env bash
# make bench: the hot-path benchmarks and the start-up pairs, written to
# docs/performance.md with a description of the machine they ran on.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cmake --build --preset default --target hot_path_bench bench_minimal_qt_dialog bench_bare_gl_probe ravelstone-config -j "$(nproc)" >/dev/null
build/default/tests/hot_path_bench --benchmark_format=json --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true >"$out/hot.json"
python3 scripts/bench-startup.py "${RUNS:-15}" >"$out/startup.json"
python3 scripts/write-performance.py "$out/hot.json" "$out/startup.json" >docs/performance.md
echo "wrote docs/performance.md"
