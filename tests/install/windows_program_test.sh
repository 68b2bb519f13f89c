#!/usr/bin/env bash
# The Windows program as a user starts it: the program folder staged from the
# mingw build (what the ZIP holds) and KestrovaneDriver.exe started there
# under wine on the X display this runs on (xvfb-run), with the virtual
# mouse. It must link the mouse (the firmware query), send on a click on
# Apply exactly the transfers that kestrovanectl apply sends on Linux for the
# same settings, and a second copy must end at once, leaving the first. A
# dialog must move when its background is dragged (the system's own move
# loop), and a recording of keys typed into the program (Raw Input and
# watchdll.dll) must give the same script as the Linux program records for
# the same keys, delays aside.
# windows_program_test.sh MINGW_BUILD_DIR NATIVE_KESTROVANECTL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
native_ctl=$2
native_build=$(dirname "$(dirname "$native_ctl")")
scratch=$(mktemp -d)
pid=
# Ends the program by its own process (a wine process is a process of its
# own), not the wine server, which other tests share.
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$scratch/program.log" ] && tail -n 20 "$scratch/program.log"
  exit 1
}

cmake --install "$build" --prefix "$scratch/stage" >"$scratch/install.log" 2>&1 ||
  { cat "$scratch/install.log"; exit 1; }
# The staged folder carries its DLLs, as a user's does.
unset WINEPATH QT_PLUGIN_PATH
stage=$scratch/stage
title='KestrovaneDriver\(L1\) v1\.0'
mouse=$scratch/mouse
: >"$stage/Macro/Demo.spm"

# Clicks at a point of the window whose geometry was read last.
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }

# The window that appeared since the list of visible windows given.
new_window() {  # new_window BEFORE
  local w
  for _ in $(seq 50); do
    w=$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort) | head -n 1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Records the keys h, i and Shift+K typed into the program, as a keyboard
# sends them (one message at a time), into the macro "Demo": the macro page,
# its first macro, REC, the keys, REC again.
record_demo() {  # record_demo WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  at 526 114; xdotool click 1; sleep 0.5
  at 477 193; xdotool click 1; sleep 0.5
  at 482 442; xdotool click 1; sleep 1
  /usr/bin/python3 -c "
import time
from Xlib import X, XK, display
from Xlib.ext import xtest
d = display.Display()
for kind, name in [(X.KeyPress, 'h'), (X.KeyRelease, 'h'), (X.KeyPress, 'i'),
                   (X.KeyRelease, 'i'), (X.KeyPress, 'Shift_L'), (X.KeyPress, 'k'),
                   (X.KeyRelease, 'k'), (X.KeyRelease, 'Shift_L')]:
    xtest.fake_input(d, kind, d.keysym_to_keycode(XK.string_to_keysym(name)))
    d.sync()
    time.sleep(0.12)
"
  sleep 0.5
  at 482 442; xdotool click 1; sleep 1
}

# A script without its delay lines, which depend on the machine's pace.
events_of() { "$native_ctl" macro decrypt "$1" | grep -v '^0 '; }

# The Linux oracle: kestrovanectl apply over a copy of the same factory set.
mkdir "$scratch/linux"
cp -r "$stage/configure" "$stage/data" "$scratch/linux/"
(cd "$scratch/linux" && "$native_ctl" apply --virtual-mouse="$scratch/linux/mouse" >/dev/null 2>&1) ||
  fail "kestrovanectl apply failed on Linux"
linux_log=$scratch/linux/mouse/transfers.log
apply_lines=$(($(wc -l <"$linux_log") - 2))  # less the firmware query's two

cd "$stage"
wine KestrovaneDriver.exe --virtual-mouse="Z:$mouse" >"$scratch/program.log" 2>&1 &
pid=$!
win=$("$here/../../tools/windows/wait-window.sh" "$title" 90) || fail "no window appeared"
[ -n "$win" ] || fail "no window found"

# Linked: the firmware query reached the virtual mouse.
for _ in $(seq 100); do
  grep -q '^get-feature 00c0' "$mouse/transfers.log" 2>/dev/null && break
  sleep 0.1
done
grep -q '^get-feature 00c0' "$mouse/transfers.log" 2>/dev/null || fail "the mouse was not linked"
echo "linked: $(head -n 2 "$mouse/transfers.log" | tr '\n' ' ')"

# A click on Apply (at 496,540, 60 x 38 in the window).
before=$(wc -l <"$mouse/transfers.log")
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 526)) $((Y + 559)) click 1
for _ in $(seq 200); do
  [ "$(wc -l <"$mouse/transfers.log")" -ge $((before + apply_lines)) ] && break
  sleep 0.1
done
sleep 1
tail -n +$((before + 1)) "$mouse/transfers.log" >"$scratch/windows-apply.log"
tail -n +3 "$linux_log" | cmp -s - "$scratch/windows-apply.log" || {
  echo "the Apply of the Windows program differs from kestrovanectl apply on Linux:"
  diff <(tail -n +3 "$linux_log" | cut -c1-60) <(cut -c1-60 "$scratch/windows-apply.log") | head -n 20
  fail "different transfers"
}
echo "apply: $(wc -l <"$scratch/windows-apply.log") transfers, the same as on Linux"

# A second copy ends by itself and leaves the first running.
start=$(date +%s)
timeout 60 wine KestrovaneDriver.exe --virtual-mouse="Z:$scratch/second" >"$scratch/second.log" 2>&1 ||
  fail "the second copy did not end by itself"
kill -0 "$pid" 2>/dev/null || fail "the first copy ended"
[ "$(xdotool search --name "$title" | wc -l)" -ge 1 ] || fail "the first window is gone"
echo "second copy ended after $(($(date +%s) - start)) s; the first runs on"

# The recording, then the same keys recorded by the Linux program.
record_demo "$win"
[ -s "$stage/Macro/Demo.spm" ] || fail "the recording was not saved"
windows_script=$(events_of "$stage/Macro/Demo.spm")

# A dialog drags: back on the button page, the right click on the name of
# Mode 2 opens its menu, its item the name dialog; a press on the dialog's background moved by 60,42
# moves the dialog as far.
eval "$(xdotool getwindowgeometry --shell "$win")"
at 454 114; xdotool click 1; sleep 0.5
before=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
at 570 470; xdotool click 3; sleep 0.5
xdotool mousemove_relative 20 10 click 1
dialog=$(new_window "$before") || fail "the name dialog did not open"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" = 474 ] && [ "$HEIGHT" = 230 ] || fail "the name dialog is ${WIDTH}x$HEIGHT"
from_x=$X from_y=$Y
at 40 135; sleep 0.3; xdotool mousedown 1
for _ in 1 2 3 4 5 6; do xdotool mousemove_relative -- 10 7; sleep 0.1; done
xdotool mouseup 1; sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$X,$Y" = "$((from_x + 60)),$((from_y + 42))" ] ||
  fail "the dialog moved from $from_x,$from_y to $X,$Y, not by 60,42"
echo "dialog: dragged from $from_x,$from_y to $X,$Y"
at 309 167; xdotool click 1; sleep 0.5  # Cancel

kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
pid=

cmake --install "$native_build" --prefix "$scratch/linux-stage" --component portable \
  >"$scratch/install-linux.log" 2>&1 || { cat "$scratch/install-linux.log"; exit 1; }
: >"$scratch/linux-stage/Macro/Demo.spm"
(cd "$scratch/linux-stage" && exec ./KestrovaneDriver --virtual-mouse="$scratch/linux-mouse") \
  >"$scratch/linux-program.log" 2>&1 &
pid=$!
linux_win=$(xdotool search --sync --name "$title" | head -n 1)
sleep 3
record_demo "$linux_win"
linux_script=$(events_of "$scratch/linux-stage/Macro/Demo.spm")
[ "$windows_script" = "$linux_script" ] || {
  diff <(echo "$linux_script") <(echo "$windows_script")
  fail "the recordings differ (left Linux, right Windows)"
}
echo "recording: $(echo "$windows_script" | tr '\n' ';') on both"
