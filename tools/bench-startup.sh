#!/usr/bin/env bash
# Measures the time from process start to the main window's first paint, with
# the shipped skin set, over ten starts under Xvfb, and the resident memory
# after start-up; prints each start and the medians. Builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVANE_BENCH=ON >/dev/null
cmake --build build --target window_bench KestrovaneDriver >/dev/null
rm -rf build/stage && cmake --install build --prefix build/stage >/dev/null
cp build/tests/bench/window_bench build/stage/
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
