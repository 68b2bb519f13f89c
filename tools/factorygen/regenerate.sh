#!/usr/bin/env bash
# Builds the factory settings generator and rewrites resources/configure and
# resources/data from its table (tools/factorygen/FactorySettings.cpp). On a
# shared machine, run it under the build lock:
#   flock /tmp/kestrovane-build.lock tools/factorygen/regenerate.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/factorygen
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVANE_GUI=OFF \
  -DKESTROVANE_TESTS=OFF -DKESTROVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target factorygen
"$build/tools/factorygen/factorygen" resources
