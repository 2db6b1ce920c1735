#!/usr/bin/env bash
# Start to first window: ravelstone-config against a minimal Qt dialog, each
# started RUNS times on a private Xvfb; prints the medians and their ratio
# (the editor aims at no more than 1.2 times the minimal dialog).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-15}
cmake --build --preset default --target ravelstone-config bench_minimal_qt_dialog >/dev/null
work=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")" HOME="$work" XDG_RUNTIME_DIR="$work"

# Milliseconds from exec to a visible window with the given title.
time_to_window() {
    local program=$1 title=$2 start pid
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 30))
    until xdotool search --onlyvisible --pid "$pid" --name "$title" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$program ended without a window" >&2; exit 1; }
        [ "$SECONDS" -lt "$deadline" ] || { echo "$program showed no window" >&2; exit 1; }
        sleep 0.005
    done
    echo $((($(date +%s%N) - start) / 1000000))
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

minimal=$(for _ in $(seq "$runs"); do
    time_to_window build/default/bench_minimal_qt_dialog '^Minimal Qt dialog$'
done | median)
editor=$(for _ in $(seq "$runs"); do
    time_to_window build/default/ravelstone-config '^Ravelstone - Config by Qv$'
done | median)
echo "minimal Qt dialog: ${minimal} ms (median of $runs)"
echo "ravelstone-config: ${editor} ms (median of $runs)"
awk -v e="$editor" -v m="$minimal" 'BEGIN { printf "ratio: %.2f (aim: at most 1.20)\n", e / m }'
