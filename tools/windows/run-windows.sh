#!/usr/bin/env bash
# ./run --windows [options]: builds the program for Windows, stages its
# program folder at build/windows/stage/ (what the Windows ZIP holds) and
# starts KestrovaneDriver.exe there under wine with the options given; without
# options, with the virtual mouse when wine sees no mouse. Without a display it
# runs under Xvfb, saves build/windows/screenshot.png and ends the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
. tools/windows/env.sh
build=build/windows
stage=$build/stage

kestrovane_windows_configure $build -DKESTROVANE_TESTS=OFF -DKESTROVANE_BENCH=OFF
cmake --build $build
rm -rf $stage
cmake --install $build --prefix $stage >/dev/null
kestrovane_wine_env "$top/$build/wineprefix"
unset WINEPATH QT_PLUGIN_PATH  # the staged folder carries its DLLs, as a user's does

cd $stage
args=("$@")
if [ ${#args[@]} -eq 0 ]; then
  if ! wine kestrovanectl.exe devices 2>/dev/null | tr -d '\r' | grep -q '^mouse: found'; then
    echo "No mouse attached: starting with the virtual mouse (--virtual-mouse)."
    args=(--virtual-mouse)
  fi
fi

if [ -n "${DISPLAY:-}" ]; then
  wine KestrovaneDriver.exe "${args[@]}"
  exit
fi

shot="$top/$build/screenshot.png"
rm -f "$shot"
export SHOT="$shot" TOP="$top"
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  wine KestrovaneDriver.exe "$@" &
  pid=$!
  "$TOP/tools/windows/wait-window.sh" "KestrovaneDriver\(L1\) v1\.0" 60 >/dev/null || true
  sleep 4
  import -window root "$SHOT"
  kill $pid 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait $pid 2>/dev/null || true
' run "${args[@]}"
if [ -f "$shot" ]; then
  echo "screenshot: $shot"
else
  echo "no screenshot was taken" >&2
  exit 1
fi
