#!/usr/bin/env bash
# Records a macro system-wide, as a user would: under Xvfb the program opens
# the macro page, selects the macro "Demo", and REC starts recording; keys are
# then typed into another program's window (xlogo has the focus), REC stops,
# and the macro file is decrypted with kestrovanectl. Prints the script.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target KestrovaneDriver kestrovanectl >/dev/null
rm -rf build/stage && cmake --install build --prefix build/stage --component portable >/dev/null
: > build/stage/Macro/Demo.spm
export LC_ALL=C.UTF-8
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -e
  cd build/stage
  ./KestrovaneDriver --virtual-mouse=demo-mouse &
  pid=$!
  win=$(xdotool search --sync --name "KestrovaneDriver\(L1\) v1.0" | head -n1)
  sleep 3.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
  at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
  at 526 114; xdotool click 1; sleep 0.3   # the macro page
  at 477 193; xdotool click 1; sleep 0.3   # its first macro, Demo
  at 482 442; xdotool click 1; sleep 0.5   # REC
  xlogo -geometry 200x200+100+100 2>/dev/null &
  other=$!
  sleep 1
  xdotool search --sync --class xlogo windowactivate --sync 2>/dev/null || true
  xdotool mousemove 150 150 click 1
  # One key message at a time, as a keyboard sends them (xdotool would
  # release Shift twice): h, i, then Shift held over K.
  /usr/bin/python3 -c "
import time
from Xlib import X, XK, display
from Xlib.ext import xtest
d = display.Display()
def send(kind, name):
    xtest.fake_input(d, kind, d.keysym_to_keycode(XK.string_to_keysym(name)))
    d.sync()
    time.sleep(0.12)
for kind, name in [(X.KeyPress, \"h\"), (X.KeyRelease, \"h\"), (X.KeyPress, \"i\"),
                   (X.KeyRelease, \"i\"), (X.KeyPress, \"Shift_L\"), (X.KeyPress, \"k\"),
                   (X.KeyRelease, \"k\"), (X.KeyRelease, \"Shift_L\")]:
    send(kind, name)
"
  sleep 0.3
  at 482 442; xdotool click 1; sleep 0.5   # REC again: the file is written
  kill $other $pid; wait $pid 2>/dev/null || true
'
echo "Macro/Demo.spm, decrypted:"
build/stage/kestrovanectl macro decrypt build/stage/Macro/Demo.spm
