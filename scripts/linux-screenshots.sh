#!/usr/bin/env bash
# Screenshots of the Linux editor's three pages (and the three-line tooltip of
# the "Start" list) under a private Xvfb, into docs/. Needs a built
# build/default/ravelstone-config.
set -euo pipefail
cd "$(dirname "$0")/.."
editor=$(readlink -f build/default/ravelstone-config)
work=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $editor_pid $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")" HOME="$work" XDG_RUNTIME_DIR="$work"
unset WINEPREFIX XDG_CONFIG_HOME XDG_DATA_HOME
# A player's Proton prefix that holds the game's settings, as the line beside
# OK names it.
mkdir -p "$work/.local/share/Steam/steamapps/compatdata/2231450/pfx/drive_c/users/steamuser/AppData/Roaming/Ravelstone"
"$editor" &
editor_pid=$!
window=""
for _ in $(seq 400); do
    window=$(xdotool search --onlyvisible --name '^Ravelstone - Config by Qv$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.05
done
xdotool windowfocus --sync "$window"
mkdir -p docs
shoot() { sleep 0.5; import -window "$window" "docs/$1"; }  # let the page paint
shoot linux-graphic-audio.png
xdotool mousemove --window "$window" 232 24 click 1
shoot linux-keyboard.png
xdotool mousemove --window "$window" 280 345 sleep 0.2 mousemove --window "$window" 290 348
sleep 2  # the tooltip's own delay
import -window root -crop 700x520+241+86 "docs/linux-keyboard-tooltip.png"
xdotool mousemove --window "$window" 352 24 click 1
shoot linux-joystick.png
echo "screenshots in docs/"
