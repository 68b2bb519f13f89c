#!/usr/bin/env bash
# The Windows ZIP as a user unpacks it: made by CPack from the mingw build,
# unpacked into a scratch folder, and its kestrovanectl.exe run there under
# wine: devices, macro decrypt and apply with the virtual mouse, which
# writes the shipped factory set.
# windows_zip_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'WINEPREFIX=$scratch/prefix wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
# A user's wine finds no DLL but those of the folder.
unset WINEPATH QT_PLUGIN_PATH
cd "$scratch"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >cpack.log 2>&1 || { cat cpack.log; exit 1; }
zip=$(ls out/*.zip)
mkdir unpacked && cd unpacked
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(".")' "../$zip"
cd *-windows-x64
for f in kestrovanectl.exe watchdll.dll README.txt configure/GM.ini configure/Default_Mode1.ini \
         data/Mode1_data.ini "Language/2052/Simplified Chinese.ini" "Language/1033/English.ini"; do
  [ -f "$f" ] || { echo "the ZIP lacks $f"; exit 1; }
done

run() { wine kestrovanectl.exe "$@" >out.txt 2>err.txt </dev/null; }
run devices --virtual-mouse=mouse || { cat out.txt err.txt; exit 1; }
grep -q '^mouse: found' out.txt || { echo "devices did not find the virtual mouse:"; cat out.txt; exit 1; }

# A macro written as the program writes it, read back from the unpacked folder.
mkdir -p Macro
printf '1\r\n1 A CODE:0004\r\n0 120\r\n2 A CODE:0004\r\n' >script.txt
wine kestrovanectl.exe macro encrypt <script.txt >Macro/Tap.spm 2>err.txt || { cat err.txt; exit 1; }
run macro decrypt Macro/Tap.spm || { cat out.txt err.txt; exit 1; }
tr -d '\r' <out.txt >decrypted.txt
printf '1\n1 A CODE:0004\n0 120\n2 A CODE:0004\n' | cmp - decrypted.txt ||
  { echo "decrypt gave:"; cat out.txt; exit 1; }

# Apply: the five modes' commands reach the mouse, then the macro records.
run apply --virtual-mouse=applied || { cat out.txt err.txt; exit 1; }
modes=$(grep -c '^set-feature 000[1-5]' applied/transfers.log || true)
[ "$modes" -eq 5 ] || { echo "apply sent $modes mode commands, not 5"; cat applied/transfers.log; exit 1; }
echo "the unpacked ZIP works: devices, macro decrypt, apply ($(grep -c . applied/transfers.log) transfers)"

# With the window: the program starts from the unpacked folder in a fresh
# wine prefix, with nothing else installed, and shows its window.
if [ -f KestrovaneDriver.exe ]; then
  [ -n "${DISPLAY:-}" ] || { echo "no display to start KestrovaneDriver.exe on"; exit 1; }
  for f in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll imageformats/qgif.dll \
           libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    [ -f "$f" ] || { echo "the ZIP lacks $f"; exit 1; }
  done
  export WINEPREFIX=$scratch/prefix
  wineboot -i >/dev/null 2>&1 || true
  wine KestrovaneDriver.exe --virtual-mouse=fresh >program.log 2>&1 &
  program=$!
  if ! "$(dirname "$0")/../../tools/windows/wait-window.sh" 'KestrovaneDriver\(L1\) v1\.0' 120 >/dev/null; then
    echo "KestrovaneDriver.exe showed no window in a fresh prefix:"; cat program.log; exit 1
  fi
  kill $program 2>/dev/null || true
  echo "KestrovaneDriver.exe started from the unpacked ZIP in a fresh wine prefix"
fi
