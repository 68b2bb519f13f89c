#!/usr/bin/env bash
# The Windows program as a user starts it: the program folder staged from the
# mingw build (what the ZIP holds) and KestrovaneDriver.exe started there
# under wine on the X display this runs on (xvfb-run), with the virtual
# mouse. It must link the mouse (the firmware query), send on a click on
# Apply exactly the transfers that kestrovanectl apply sends on Linux for the
# same settings, and a second copy must end at once, leaving the first.
# windows_program_test.sh MINGW_BUILD_DIR NATIVE_KESTROVANECTL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
native_ctl=$2
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
