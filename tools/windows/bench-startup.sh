#!/usr/bin/env bash
# Measures how long KestrovaneDriver.exe takes under wine from its start to
# its window on the screen, over ten starts on Xvfb with the factory set and
# the virtual mouse (the first start, which lets wine set up its prefix, is not
# counted), and prints the size of the Windows ZIP. Uses the mingw build of
# ./test windows (build/mingw); a benchmark to read, not a test.
# tools/windows/bench-startup.sh [LC_ALL value]
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
. tools/windows/env.sh
[ -f build/mingw/build.ninja ] || { echo "run ./test windows first" >&2; exit 1; }
cmake --build build/mingw --target KestrovaneDriver kestrovanectl watchdll >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install build/mingw --prefix "$scratch/stage" >/dev/null
(cd build/mingw && cpack -G ZIP -B "$scratch/zip" >/dev/null)
zip=$(ls "$scratch"/zip/*.zip)
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes"
kestrovane_wine_env "$scratch/prefix"
unset WINEPATH QT_PLUGIN_PATH
export LC_ALL=${1:-en_US.UTF-8}
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  cd "$1/stage"
  title="KestrovaneDriver\(L1\) v1\.0"
  for i in $(seq 0 10); do
    start=$(date +%s%N)
    wine KestrovaneDriver.exe --virtual-mouse="Z:$1/mouse" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.02; done
    shown=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null || true
    while xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.05; done
    [ "$i" -eq 0 ] || echo $(( (shown - start) / 1000000 ))
  done
  wineserver -k' _ "$scratch" | sort -n | awk '{ms[NR]=$1; print "start " NR ": " $1 " ms to the window"}
  END { print "median: " (ms[int((NR+1)/2)] + ms[int(NR/2)+1]) / 2 " ms (LC_ALL='"$LC_ALL"')" }'
