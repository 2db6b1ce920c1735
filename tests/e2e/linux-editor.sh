#!/usr/bin/env bash
# The real ravelstone-config on a private X server, driven with xdotool the
# way a player uses it: the Keyboard tab, a click on the "Kick" list, J held,
# OK; then Cancel after a change, a second start while one runs, the
# game's Proton prefix found without any variable, a prefix whose registry
# caps pixel shaders, a save that fails, and the choice between two prefixes.
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
    window=$(xdotool search --all --onlyvisible --pid "$editor_pid" --name '^Ravelstone - Config by Qv$' 2>/dev/null | head -n1)
    [ -n "$window" ]
}

# How the editor is started: scenario 7 runs it as an ordinary user.
runner=()
start_editor() {
    "${runner[@]}" "$editor" "$@" >"$work/editor.log" 2>&1 &
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

# 1. Cancel on a fresh prefix writes nothing. The sheet carries the
# program's icon.
start_editor
has_icon() { xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (64 x 64)'; }
wait_for 10 has_icon || fail "the sheet has no 64 x 64 icon"
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

# 6. No variable names a prefix: the editor finds the game's Proton prefix in
# the Steam library by itself, and OK ends with 0.
unset WINEPREFIX
proton="$HOME/.local/share/Steam/steamapps/compatdata/4242/pfx"
proton_settings="$proton/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg"
mkdir -p "$(dirname "$proton_settings")"
cp "$settings" "$work/wine-prefix.cfg"
start_editor
click "${keyboard_tab[@]}"
click "${kick_list[@]}"
hold_key k
click "${ok_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "OK in the Proton prefix ended with $status"
[ -f "$proton_settings" ] || fail "nothing was written to the Proton prefix"
settings="$proton_settings"
[ "$(byte_at 6)" = 37 ] || fail "Kick in the Proton prefix is $(byte_at 6), not K (0x25)"
cmp -s "$work/wine-prefix.cfg" "$roaming/Ravelstone/setting.cfg" || fail "the other prefix changed"
echo "ok - without WINEPREFIX the Proton prefix that holds the game's folder is edited"

# 7. A prefix whose registry caps pixel shaders gets the shader-less
# defaults, whatever this machine's OpenGL offers (scenario 6's file shows
# the machine's own answer). ALSA's null device answers the sound question
# with yes, so the sounds stay on.
machine_shader=$(byte_at 583)
capped="$work/capped"
mkdir -p "$capped/drive_c/users/player/AppData/Roaming/Ravelstone"
printf '%s\n' 'WINE REGISTRY Version 2' '' '[Software\\Wine\\Direct3D] 1700000000' \
    '"MaxShaderModelPS"=dword:00000000' >"$capped/user.reg"
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
start_editor --prefix "$capped"
click "${ok_button[@]}"
finish_editor
rm "$HOME/.asoundrc"
[ "$status" = 0 ] || fail "OK in the capped prefix ended with $status"
settings="$capped/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg"
[ "$(byte_at 583)" = 0 ] || fail "pixel shader is $(byte_at 583) in a prefix without shaders"
[ "$(byte_at 589)" = 1 ] || fail "palette is $(byte_at 589), not Simple, without shaders"
[ "$(byte_at 586)$(byte_at 587)" = 00 ] || fail "sounds are off ($(byte_at 586), $(byte_at 587)) with a sound device"
echo "ok - MaxShaderModelPS = 0 gives the shader-less defaults (the machine says $machine_shader); a sound device keeps the sounds on"

# 8. A settings folder the editor may not write to: OK names the file and
# the reason, the sheet stays open, nothing is written, and the run ends
# with 1. Root may write anywhere, so then the editor runs as nobody.
locked="$work/locked"
locked_prefix="$locked/prefix"
locked_folder="$locked_prefix/drive_c/users/player/AppData/Roaming/Ravelstone"
mkdir -p "$locked_folder" "$locked/run"
chmod 700 "$locked/run"
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$work"
    chown -R 65534:65534 "$locked"
    runner=(setpriv --reuid=65534 --regid=65534 --clear-groups
            env HOME="$locked" XDG_RUNTIME_DIR="$locked/run")
fi
chmod 555 "$locked_folder"
start_editor --prefix "$locked_prefix"
click "${ok_button[@]}"
message=""
find_message() {
    message=$(xdotool search --all --onlyvisible --pid "$editor_pid" --name '^Ravelstone - Config by Qv$' 2>/dev/null | grep -v "^$window\$" | head -n1)
    [ -n "$message" ]
}
wait_for 15 find_message || fail "no message about the failed save"
editor_ended && fail "the sheet closed although the save failed"
xdotool windowfocus --sync "$message" key Return
wait_for 15 bash -c "! xdotool search --all --onlyvisible --pid $editor_pid --name '^Ravelstone' | grep -qv '^$window\$'" \
    || fail "the message did not close"
kill -0 "$editor_pid" || fail "the editor ended with the message"
click "${cancel_button[@]}"
finish_editor
[ "$status" = 1 ] || fail "a run whose save failed ended with $status"
[ ! -e "$locked_folder/setting.cfg" ] || fail "a file appeared in the locked folder"
echo "ok - a save that fails keeps the sheet open and the run ends with 1"

# 9. Two prefixes hold the game's settings: the editor asks once, before the
# sheet, and remembers the answer.
runner=()
other="$HOME/.local/share/Steam/steamapps/compatdata/5151/pfx"
mkdir -p "$other/drive_c/users/steamuser/AppData/Roaming/Ravelstone"
remembered="$HOME/.config/ravelstone-config/prefix"
rm -f "$remembered"
"$editor" >"$work/editor.log" 2>&1 &
editor_pid=$!
chooser=""
find_chooser() {
    chooser=$(xdotool search --all --onlyvisible --pid "$editor_pid" --name '^Which Wine prefix' 2>/dev/null | head -n1)
    [ -n "$chooser" ]
}
wait_for 30 find_chooser || fail "no chooser for two prefixes"
xdotool windowfocus --sync "$chooser" key Return
wait_for 30 find_window || fail "no sheet after the choice"
xdotool windowfocus --sync "$window"
click "${cancel_button[@]}"
finish_editor
[ "$status" = 0 ] || fail "Cancel after the choice ended with $status"
grep -qx "$(readlink -f "$proton")" "$remembered" || fail "the choice was not remembered"
start_editor
find_chooser && fail "the chooser came back although a choice is remembered"
click "${cancel_button[@]}"
finish_editor
# --choose-prefix asks again; Esc there ends the run and keeps the pick.
"$editor" --choose-prefix >"$work/editor.log" 2>&1 &
editor_pid=$!
wait_for 30 find_chooser || fail "--choose-prefix did not ask again"
xdotool windowfocus --sync "$chooser" key Escape
finish_editor
[ "$status" = 0 ] || fail "Esc in the chooser ended with $status"
grep -qx "$(readlink -f "$proton")" "$remembered" || fail "Esc changed the remembered choice"
echo "ok - two prefixes: the player chooses once, the choice is remembered, --choose-prefix asks again"
