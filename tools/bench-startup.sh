#!/usr/bin/env bash
# Measures the time from process start to the main window's first paint, with
# the shipped skin set and factory settings (start-up reads the settings files
# and writes the pointer store), over ten starts under Xvfb, and the resident
# memory after start-up; prints each start and the medians. Builds what it
# needs. The pointer store goes to a scratch XDG_CONFIG_HOME and GSettings to
# memory, so the user's own pointer settings stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVANE_BENCH=ON >/dev/null
# Everything the install stages must be built: the program and kestrovanectl.
cmake --build build --target window_bench KestrovaneDriver kestrovanectl >/dev/null
rm -rf build/stage && cmake --install build --prefix build/stage --component portable >/dev/null
cp build/tests/bench/window_bench build/stage/
for file in configure/GM.ini configure/Mode1.ini data/Mode1_data.ini; do
  [ -f "build/stage/$file" ] || { echo "the staged program lacks $file" >&2; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch GSETTINGS_BACKEND=memory
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  cd build/stage
  ./window_bench --startup >/dev/null 2>&1 || true   # warm-up
  for i in $(seq 10); do
    start=$(date +%s%N)
    out=$(./window_bench --startup 2>/dev/null)
    paint=$(echo "$out" | awk "/first-paint-epoch-ns/ {print \$2}")
    rss=$(echo "$out" | awk "/resident-kB/ {print \$2}")
    echo "$(( (paint - start) / 1000000 )) $rss"
  done' | sort -n | awk '{ms[NR]=$1; kb[NR]=$2; print "start " NR ": " $1 " ms to first paint, " $2 " kB resident"}
    END {print "median: " (ms[5]+ms[6])/2 " ms to first paint"; print "resident after start-up: " kb[5] " kB"}'
