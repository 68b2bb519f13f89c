#!/usr/bin/env bash
# Takes screenshots of the program as a user sees it: each of the five pages
# and the function menu open with a sub-list, under Xvfb with the virtual
# mouse, driven with xdotool, in each of the three languages (the session's
# locale chooses it). Writes build/screenshots/CODE/*.png (not committed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target KestrovaneDriver kestrovanectl >/dev/null
rm -rf build/stage && cmake --install build --prefix build/stage --component portable >/dev/null
for locale in zh_CN.UTF-8 zh_TW.UTF-8 en_US.UTF-8; do
code=${locale%%.*}
mkdir -p "build/screenshots/$code"
export OUT=$PWD/build/screenshots/$code
LC_ALL=$locale xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -e
  cd build/stage
  ./KestrovaneDriver --virtual-mouse=screenshot-mouse &
  pid=$!
  win=$(xdotool search --sync --name "KestrovaneDriver\(L1\) v1.0" | head -n1)
  sleep 3.5   # the first detection tick links the virtual mouse after 2.5 s
  eval "$(xdotool getwindowgeometry --shell "$win")"
  at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
  shot() {  # the window and a margin around it
    sleep 0.6
    # The root window read in one piece: xwd composes the root from each
    # window it finds and, on this X server, paints a window that lies over
    # another of the same program black, although the screen shows it.
    import -window root -crop 941x721+$((X - 20))+$((Y - 20)) +repage "$OUT/$1.png"
  }
  tabs=(454 526 601 674 744)
  names=(1-buttons 2-macros 3-sensitivity 4-lighting 5-system)
  for i in 4 3 2 1 0; do
    at "${tabs[$i]}" 114; xdotool click 1
    at 20 650
    shot "${names[$i]}"
  done
  # The function menu of the first button, with each sub-list open.
  at 617 209; xdotool click 1
  for row in 0 1 2 3 4 5 6 7; do
    y=$((197 + 24 * row))
    at 600 $y; sleep 0.2
    at 660 $y; sleep 0.2
    shot "6-menu-$((row + 1))"
  done
  # The left-key warning: the first button given the mode switch (row 9).
  at 600 405; sleep 0.2; xdotool click 1
  shot 7-left-key-warning
  xdotool mousemove 947 569 click 1; sleep 0.3   # its OK, centred on the screen
  # The mode name dialog, from the mode menu of the first mode name.
  at 502 471; xdotool click 3; sleep 0.3
  xdotool mousemove_relative 20 10 click 1
  shot 8-mode-name
  xdotool key Escape
  kill $pid; wait $pid 2>/dev/null || true
'
done
ls build/screenshots/*
