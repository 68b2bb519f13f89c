# The Windows build's settings, shared by ./run --windows and ./test windows.
# Sourced; needs $top (the repository).

# kestrovane_windows_configure DIR [cmake options...]: configures a mingw-w64
# build of the whole program against Qt for Windows (made or unpacked once by
# build-qt.sh).
kestrovane_windows_configure() {
  local dir=$1 qt
  shift
  qt=$("$top/tools/windows/build-qt.sh") || return 1
  mkdir -p "$dir"
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$qt" "$@" >"$dir/configure.log" 2>&1 ||
    { tail -n 40 "$dir/configure.log"; return 1; }
}

# kestrovane_wine_env PREFIX: wine with its own prefix, quiet, without the
# Mono and Gecko installers, finding the Qt and mingw runtime DLLs of the
# build where a program is not staged beside them. A staged program is started
# without WINEPATH and QT_PLUGIN_PATH, as a user's is.
kestrovane_wine_env() {
  local qt
  qt=$("$top/tools/windows/build-qt.sh") || return 1
  mkdir -p "$1"
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPATH="$qt/bin;/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib"
  # The tests' windows load their platform plugin (offscreen) from Qt's own
  # folder; a staged program carries its plugins beside it.
  export QT_PLUGIN_PATH="Z:$qt/plugins"
}
