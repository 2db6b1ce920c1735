# A private X server and a player's home for the real ravelstone-config,
# driven with xdotool as a player uses it; sourced by the scripts that do.
# Set `editor` first. Every wait is for a state, with a deadline. A script
# with more to undo on exit names a function in `on_exit`.
work=$(mktemp -d)
pid="" xvfb="" window="" chooser="" runner=() on_exit=true
trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null; "$on_exit"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; head -n 60 "$work/log" >&2 2>/dev/null; exit 1; }
# within SECONDS COMMAND...: polls until COMMAND succeeds.
within() { local end=$((SECONDS + $1)); shift; until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.05; done; }
# -noreset: the server must not restart, and refuse clients, between two runs.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
xvfb=$!
within 20 test -s "$work/display" || fail "Xvfb did not start"
# The game's Wine prefix, as Wine lays it out for user "player".
export DISPLAY=":$(head -n1 "$work/display")" USER=player HOME=$work/home WINEPREFIX=$work/prefix XDG_RUNTIME_DIR=$work/run
unset XDG_CONFIG_HOME
settings=$WINEPREFIX/drive_c/users/player/AppData/Roaming/Ravelstone/setting.cfg
mkdir -p "$HOME" "$(dirname "$settings")" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

windows() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null; }
sheet_shown() { window=$(windows '^Ravelstone - Config by Qv$' | head -n1); [ -n "$window" ]; }
chooser_shown() { chooser=$(windows '^Which Wine prefix' | head -n1); [ -n "$chooser" ]; }
run() { "${runner[@]}" "$editor" "$@" >"$work/log" 2>&1 & pid=$!; }
start() { run "$@"; within 30 sheet_shown || fail "no sheet appeared"; xdotool windowfocus --sync "$window"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
# finish STATUS WHAT: the run ends, with STATUS.
finish() {
    within 15 ended || fail "$2: the editor did not close"
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" = "$1" ] || fail "$2 ended with $status"
}
# Places on the sheet, in pixels from its corner: dialog units in DejaVu Sans.
click() {
    case $1 in keyboard) set -- 232 24 ;; kick) set -- 129 347 ;; ok) set -- 278 494 ;; cancel) set -- 372 494 ;; esac
    xdotool mousemove --window "$window" "$1" "$2" click 1
}
byte() { od -An -tu1 -j "$1" -N1 "$2" | tr -d ' '; }
