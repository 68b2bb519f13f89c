#!/usr/bin/env bash
# Builds the language file generator and rewrites resources/Language from its
# table (tools/langgen/LanguageFiles.cpp). On a shared machine, run it under
# the build lock:
#   flock /tmp/kestrovane-build.lock tools/langgen/regenerate.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/langgen
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVANE_GUI=OFF \
  -DKESTROVANE_TESTS=OFF -DKESTROVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target langgen
"$build/tools/langgen/langgen" resources
