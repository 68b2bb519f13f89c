# Installs the Debian packages this project needs, once: a package already
# installed is not asked for again. Sourced by ./run and ./test.

# What building and starting the program needs (Xvfb for the screenshot where
# no display is available; GIO, the GNOME mouse schema and Xlib for the
# system pointer options; XInput2 for recording keystrokes; Qt's own
# translations, which the program folder ships; zlib for the configuration
# export's ZIP archive).
KESTROVANE_RUN_PACKAGES=(
  g++ cmake ninja-build pkg-config zlib1g-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libxkbcommon-dev libevdev-dev
  libglib2.0-dev gsettings-desktop-schemas libx11-dev libxi-dev
  fonts-wqy-microhei
  xvfb xauth x11-apps imagemagick xdotool
)

# What building the program for Windows and starting it under wine needs:
# the mingw-w64 cross compiler (POSIX threads), Debian's Qt for the host tools
# (moc, rcc) beside Qt for Windows, wine, and Xvfb without a display; zlib
# built for mingw-w64.
KESTROVANE_WINDOWS_PACKAGES=(
  cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine64 wine xz-utils
  xvfb xauth imagemagick xdotool
)

# What the tests need on top: GoogleTest (also its sources for the cross
# build), nettle as an independent DES, XTEST to type into Xvfb (also from
# Python, for tools/record-demo.sh), clang with
# libFuzzer and the sanitizer runtimes, clang-format, the mingw-w64 cross
# compiler and wine; the validators of the desktop entry and the AppStream
# metadata; lintian for the Debian package and man-db for its manual pages.
KESTROVANE_TEST_PACKAGES=(
  "${KESTROVANE_RUN_PACKAGES[@]}"
  libgtest-dev libgmock-dev googletest nettle-dev libxtst-dev python3-xlib
  clang libclang-rt-14-dev clang-format
  "${KESTROVANE_WINDOWS_PACKAGES[@]}"
  desktop-file-utils appstream-util lintian man-db locales
)

kestrovane_install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 \
    install -y -qq --no-install-recommends "${missing[@]}"
}

# Generates the locales named (as "zh_CN.UTF-8") that the system lacks. wine
# names a program's files through the Unix locale: under a locale that is not
# installed it cannot create a file whose name has Chinese characters, so the
# Windows tests that run under code page 936 need zh_CN.UTF-8 itself.
kestrovane_locales() {
  local missing=() l
  for l in "$@"; do
    locale -a 2>/dev/null | grep -qix "$(echo "$l" | sed 's/UTF-8$/utf8/')" || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  for l in "${missing[@]}"; do
    echo "generating the locale $l"
    $sudo localedef -i "${l%%.*}" -c -f UTF-8 "$l" || return 1
  done
}
