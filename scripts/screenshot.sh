#!/usr/bin/env bash
# Takes docs/window.png: the window under Xvfb with the sample item list and a menu open.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target etiquetas >/dev/null
work=$(mktemp -d)
cp build/etiquetas "$work/" && cp examples/etiquetas.csv "$work/"
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
until DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done
export XDG_RUNTIME_DIR=$work
DISPLAY=$display QT_QPA_PLATFORM=xcb "$work/etiquetas" >/dev/null 2>&1 & app=$!
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Impressão Etiquetas $' | head -1)
sleep 0.5
# With the Impressão menu open: the window and the menu over it, as the screen shows them.
DISPLAY=$display xdotool windowfocus --sync "$window" key alt+p
sleep 0.5
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/window.png
kill $app
echo "docs/window.png written"
