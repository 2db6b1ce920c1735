#!/usr/bin/env bash
# The real ravelstone-config on a private X server, driven with xdotool the
# way a player uses it: the Keyboard tab, a click on the "Kick" list, J held,
# OK; then Cancel after a change, and a second start while one runs.
# Every wait is for a state, with a deadline.
set -euo pipefail

editor=$(readlink -f "$1")
work=$(mktemp -d)
here=$(dirname "$(readlink -f "$0")")
# Sanitizer builds: the system libraries' own leaks are not the editor's.
export LSAN_OPTIONS="suppressions=$here/lsan-third-party.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
xvfb_pid=""
editor_pid=""

cleanup() {
    if [ -n "$editor_pid" ] && kill -0 "$editor_pid" 2>/dev/null; then
        kill -9 "$editor_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$work/editor.log" ]; then
        echo "--- the editor's output:" >&2
        head -n 60 "$work/editor.log" >&2
    fi
    exit 1
}

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# A display of our own: Xvfb picks a free number and writes it when ready;
# -noreset keeps it from restarting (and refusing clients) whenever the last
# client leaves between two runs of the editor.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# The game's Wine prefix, as Wine lays it out for user "player".
export USER=player
export HOME="$work/home"
export WINEPREFIX="$work/prefix"
export XDG_RUNTIME_DIR="$work/run"
unset XDG_CONFIG_HOME
roaming="$WINEPREFIX/drive_c/users/player/AppData/Roaming"
mkdir -p "$HOME" "$roaming" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings="$roaming/Ravelstone/setting.cfg"

# Where things are on the sheet, relative to its window (dialog units
# converted with DejaVu Sans as the program does).
keyboard_tab=(232 24)
kick_list=(129 347)
ok_button=(278 494)
cancel_button=(372 494)

window=""
find_window() {
    window=$(xdotool search --onlyvisible --pid "$editor_pid" --name '^Ravelstone - Config by Qv$' 2>/dev/null | head -n1)
    [ -n "$window" ]
}

start_editor() {
    "$editor" >"$work/editor.log" 2>&1 &
    editor_pid=$!
    wait_for 30 find_window || fail "no sheet window appeared"
    xdotool windowfocus --sync "$window"
}

click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

hold_key() {
    xdotool keydown "$1"
    sleep 0.15  # a press as long as a player's, several 33 ms ticks
    xdotool keyup "$1"
}

editor_ended() { ! kill -0 "$editor_pid" 2>/dev/null; }

# Waits for the editor to end and sets `status` to its exit code.
status=""
finish_editor() {
    wait_for 15 editor_ended || fail "the editor did not close"
    status=0
    wait "$editor_pid" || status=$?
    editor_pid=""
}

byte_at() {
    od -An -tu1 -j "$1" -N1 "$settings" | tr -d ' '
}

# 1. Cancel on a fresh prefix writes nothing.
start_editor
click "${keyboard_tab[@]}"
click "${kick_list[@]}"
hold_key k
click "${cancel_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "Cancel ended with $status"
[ ! -e "$settings" ] || fail "Cancel wrote $settings"
echo "ok - Cancel writes nothing"

# 2. The typical event: Kick of player 1 becomes J (0x24) at offset 6.
start_editor
click "${keyboard_tab[@]}"
click "${kick_list[@]}"
hold_key j
click "${ok_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "OK ended with $status"
[ -f "$settings" ] || fail "OK wrote no $settings"
[ "$(stat -c %s "$settings")" = 596 ] || fail "setting.cfg is not 596 bytes"
[ "$(byte_at 6)" = 36 ] || fail "Kick is $(byte_at 6), not 0x24"
[ "$(byte_at 4)" = 23 ] || fail "Slash lost its default I (0x17)"
echo "ok - J held on the Kick list is saved as 0x24 at offset 6"

# 3. Cancel after a change leaves the file as it was.
cp "$settings" "$work/before.cfg"
start_editor
click "${keyboard_tab[@]}"
click "${kick_list[@]}"
hold_key k
click "${cancel_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "Cancel ended with $status"
cmp -s "$settings" "$work/before.cfg" || fail "Cancel changed setting.cfg"
echo "ok - Cancel after a capture leaves setting.cfg unchanged"

# 4. A second start while one runs ends at once with 0 and shows nothing.
start_editor
first_pid=$editor_pid
second_status=0
timeout 15 "$editor" >/dev/null 2>&1 || second_status=$?
[ "$second_status" = 0 ] || fail "the second copy ended with $second_status"
windows=$(xdotool search --onlyvisible --name '^Ravelstone - Config by Qv$' | wc -l)
[ "$windows" = 1 ] || fail "$windows sheets are shown"
kill -0 "$first_pid" || fail "the first copy ended"
click "${cancel_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "Cancel ended with $status"
echo "ok - a second copy exits 0 and shows nothing"

# 5. With the first copy gone (even killed), the lock is free again.
start_editor
kill -9 "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
editor_pid=""
start_editor
click "${cancel_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "restart after a crash ended with $status"
echo "ok - a crashed copy does not block the next start"
