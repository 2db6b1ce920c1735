#!/usr/bin/env bash
# The real ravelstone-config on a private X server, driven with xdotool as a
# player uses it. Every wait is for a state, with a deadline.
set -euo pipefail
editor=$(readlink -f "$1") version=${2:-}
# Sanitizer builds: the system libraries' own leaks are not the editor's.
export LSAN_OPTIONS="suppressions=$(dirname "$(readlink -f "$0")")/lsan-third-party.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
. "$(dirname "$(readlink -f "$0")")/editor-session.sh"

# answers STATUS TEXT ARGUMENT...: before any window, TEXT on standard error
# in one line (and one for help with 64), or on standard output with 0.
answers() {
    local status=0 stream=err lines=$(($1 == 64 ? 2 : $1))
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" "${@:3}" >"$work/out" 2>"$work/err" || status=$?
    [ "$1" != 0 ] || stream=out
    [ "$status" = "$1" ] && grep -qF -- "$2" "$work/$stream" && [ "$(wc -l <"$work/err")" = "$lines" ] ||
        fail "ravelstone-config ${*:3} ended with $status: $(cat "$work/out" "$work/err")"
}
answers 64 "ravelstone-config: unknown option --bogus" --bogus
answers 64 "--prefix needs a PATH" --prefix
answers 64 "--prefix needs a PATH" --prefix= --choose-prefix
answers 64 "$work/missing: no such folder" --prefix "$work/missing"
[ ! -e "$work/missing" ] || fail "a mistyped prefix grew folders"
answers 0 "Usage: ravelstone-config [--prefix PATH] [--choose-prefix]" --help
answers 0 "ravelstone-config $version" --version
answers 1 "ravelstone-config: needs a display to show its window"
echo "ok - the command line is answered before any window, in one line"

# Kick of player 1 gets KEY, held as long as a player does (several 33 ms ticks).
capture() { click keyboard; click kick; xdotool keydown "$1" sleep 0.15 keyup "$1"; }

has_icon() { xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (64 x 64)'; }
start
within 10 has_icon || fail "the sheet has no 64 x 64 icon"
capture j
click ok
finish 0 OK
[ "$(stat -c %s "$settings")" = 596 ] || fail "setting.cfg is not 596 bytes"
[ "$(byte 6 "$settings") $(byte 4 "$settings")" = "36 23" ] || fail "Kick is not J (0x24) beside Slash's I (0x17)"
echo "ok - J held on the Kick list is saved as 0x24 at offset 6; the sheet has its icon"

cp "$settings" "$work/before"
start
capture k
click cancel
finish 0 Cancel
cmp -s "$settings" "$work/before" || fail "Cancel changed setting.cfg"
echo "ok - Cancel after a capture writes nothing"

start
first=$pid
timeout 15 "$editor" >/dev/null 2>&1 || fail "a second copy ended with $?"
shown=$(xdotool search --onlyvisible --name '^Ravelstone - Config by Qv$' | wc -l) || true
[ "$shown" = 1 ] && ! ended || fail "$shown sheets shown; the first copy must stay, alone"
kill -9 "$first"
wait "$first" 2>/dev/null || true
start
click cancel
finish 0 "A start after a killed copy"
echo "ok - a second copy exits 0 with one window shown; a killed copy does not block the next start"

# Without WINEPREFIX, Proton's prefix holds the game alone; its registry caps shaders.
unset WINEPREFIX
proton=$HOME/.local/share/Steam/steamapps/compatdata/4242/pfx
proton_settings=$proton/drive_c/users/steamuser/AppData/Roaming/Ravelstone/setting.cfg
mkdir -p "$(dirname "$proton_settings")"
printf '%s\n' 'WINE REGISTRY Version 2' '' '[Software\\Wine\\Direct3D] 1700000000' \
    '"MaxShaderModelPS"=dword:00000000' >"$proton/user.reg"
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
start
click ok
finish 0 "OK in the Proton prefix"
rm "$HOME/.asoundrc"
[ -f "$proton_settings" ] || fail "nothing was written to the Proton prefix"
values=$(for at in 583 589 586 587; do byte $at "$proton_settings"; done | xargs)
[ "$values" = "0 1 0 0" ] || fail "pixel shader, palette, sounds off, music off: $values"
cmp -s "$settings" "$work/before" || fail "the prefix WINEPREFIX named changed"
echo "ok - the Proton prefix holding the game is found alone; MaxShaderModelPS = 0 gives the shader-less defaults"

# A folder the editor may not write to (so as nobody: root writes anywhere).
locked=$work/locked
folder=$locked/prefix/drive_c/users/player/AppData/Roaming/Ravelstone
mkdir -p "$folder" "$locked/run"
chmod 700 "$locked/run"
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$work"
    chown -R 65534:65534 "$locked"
    runner=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$locked" XDG_RUNTIME_DIR="$locked/run")
fi
chmod 555 "$folder"
start --prefix "$locked/prefix"
click ok
message() { windows '^Ravelstone - Config by Qv$' | grep -vx "$window"; }
within 15 message >/dev/null || fail "no message about the failed save"
xdotool windowfocus --sync "$(message | head -n1)" key Return
no_message() { ! message >/dev/null; }
within 15 no_message || fail "the message did not close"
windows '^Ravelstone - Config by Qv$' | grep -qx "$window" || fail "the sheet closed with the message"
click cancel
finish 1 "A run whose save failed"
[ ! -e "$folder/setting.cfg" ] || fail "a file appeared in the locked folder"
runner=()
echo "ok - a save that fails keeps the sheet open and the run ends with 1"

mkdir -p "$HOME/.local/share/Steam/steamapps/compatdata/5151/pfx/drive_c/users/steamuser/AppData/Roaming/Ravelstone"
picked() { grep -qx "$(readlink -f "$proton")" "$HOME/.config/ravelstone-config/prefix"; }
run
within 30 chooser_shown || fail "no chooser for two prefixes"
xdotool windowfocus --sync "$chooser" key Return
within 30 sheet_shown || fail "no sheet after the choice"
xdotool windowfocus --sync "$window"
click cancel
finish 0 "Cancel after the choice"
picked || fail "the pick was not remembered"
start
chooser_shown && fail "the chooser came back although a pick is remembered"
click cancel
finish 0 Cancel
run --choose-prefix
within 30 chooser_shown || fail "--choose-prefix did not ask again"
xdotool windowfocus --sync "$chooser" key Escape
finish 0 "Esc in the chooser"
picked || fail "Esc changed the pick"
echo "ok - two prefixes: the player picks once, the pick is remembered, --choose-prefix asks again"
