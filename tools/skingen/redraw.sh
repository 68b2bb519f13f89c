#!/usr/bin/env bash
# Builds the skin generator and redraws the shipped skin set, the loading
# animation and the theme files into resources/ and the dialogs' built-in
# pictures into ui/builtin/, then composes previews into
# build/skin-preview/ (page1.png ... page5.png, dialogs.png, loading.png).
# Colours and sizes: tools/skingen/SkinStyle.h.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/skingen
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVANE_TESTS=OFF \
  -DKESTROVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target skingen skinpreview
export QT_QPA_PLATFORM=offscreen
"$build/tools/skingen/skingen" resources ui/builtin
"$build/tools/skingen/skinpreview" resources build/skin-preview
echo "redrawn: resources/skins/*.png resources/linux/icons/ resources/WaitGif.gif resources/ZQK_A.sui resources/ZQK_B.sui ui/builtin/*.png"
echo "previews: build/skin-preview/"
