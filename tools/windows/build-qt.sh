#!/usr/bin/env bash
# Makes Qt 6 for Windows (qtbase 6.4.2, x86_64-w64-mingw32, shared, Release)
# once, in a cache outside the tree, and prints the folder it is in (the
# CMAKE_PREFIX_PATH of the Windows build). Idempotent: the folder is keyed by
# the source version and the recipe below, and is reused while both stay.
#
# A prebuilt copy made with exactly this recipe (KESTROVANE_QT_TARBALL, by
# default ../shared/windows-qt/ beside the repository) is unpacked when its
# checksum matches; otherwise Qt is built from Debian's own source package
# (about an hour on two cores). Progress goes to standard error.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)

qt_version=6.4.2
tarball=${KESTROVANE_QT_TARBALL:-$top/../shared/windows-qt/qt6-base-$qt_version-mingw-w64-x86_64.tar.xz}
tarball_sha256=291bb9876652abededda10d3fd837b9b9d004b48056856089243fee54bae110e

# The recipe: toolchain, configure settings and the one source fix. Changing
# any of it changes the cache key.
toolchain() {
  cat <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
}
configure_args=(
  -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_pkg_config=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF
  -DFEATURE_brotli=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
)
# With direct2d off, the windows plugin still includes the DirectWrite font
# database under directwrite3 alone.
source_fix() {
  sed -i 's/QT_CONFIG(directwrite3)/(QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d))/g' \
    src/plugins/platforms/windows/qwindowsintegration.cpp
}

key=$({ echo "qtbase $qt_version"; toolchain; printf '%s\n' "${configure_args[@]}"; declare -f source_fix; } |
  sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kestrovane
dest=$cache/qt6-win64-$qt_version-$key
if [ -f "$dest/.complete" ]; then
  echo "$dest"
  exit 0
fi
mkdir -p "$cache"
work=$(mktemp -d "$cache/.qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ -f "$tarball" ] && echo "$tarball_sha256  $tarball" | sha256sum -c --status; then
  echo "build-qt: unpacking $tarball" >&2
  tar -xJf "$tarball" -C "$work"
  mv "$work/qt6-win64" "$work/install"
else
  [ -f "$tarball" ] && echo "build-qt: $tarball does not match its checksum; building from source" >&2
  echo "build-qt: building qtbase $qt_version for Windows from Debian's source (about an hour)" >&2
  . "$top/tools/scripts/packages.sh"
  kestrovane_install dpkg-dev qt6-base-dev qt6-base-dev-tools ninja-build cmake \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  # Debian's source packages: a deb-src entry for the suites the system uses.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/kestrovane-deb-src.sources >/dev/null
    $sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
  fi
  (cd "$work" && apt-get source -qq "qt6-base=$qt_version*" >&2)
  src=$(find "$work" -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)
  (cd "$src" && source_fix)
  toolchain >"$work/toolchain.cmake"
  cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$work/install" "${configure_args[@]}" >&2
  nice -n 19 cmake --build "$work/build" -j "$(nproc)" >&2
  cmake --install "$work/build" >&2
fi
touch "$work/install/.complete"
rm -rf "$dest"
mv "$work/install" "$dest"
echo "$dest"
