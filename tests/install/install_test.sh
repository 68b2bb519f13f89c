#!/usr/bin/env bash
# install_test.sh BUILD_DIR, under an X display: installs the component
# "system" into a scratch DESTDIR and starts the installed launcher as a new
# user (fresh HOME). Checks the user's program folder the launcher prepares
# (factory set copied, read-only parts linked, the installed program running
# in place with the folder as its working directory and program folder), that
# the program's and kestrovanectl's saves land there and never in the
# installed folder, and that a second start keeps the user's files while a
# deleted one and a changed factory copy come back. --version and --help
# answer without a display.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  chmod -R u+w "$scratch" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

dest=$scratch/dest
# A plain install lays out the installed program, nothing of the portable
# folder that ./run stages.
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$scratch/install.log" ||
  { cat "$scratch/install.log"; fail "cmake --install"; }
prefix=$dest/usr
installed=$prefix/lib/kestrovane
for stray in configure data skins Language Macro KestrovaneDriver ZQK_A.sui; do
  [ ! -e "$prefix/$stray" ] || fail "the plain install put the portable folder's $stray into the prefix"
done

for f in bin/kestrovane lib/kestrovane/KestrovaneDriver lib/kestrovane/kestrovanectl \
  share/applications/kestrovane.desktop share/metainfo/kestrovane.metainfo.xml \
  lib/udev/rules.d/70-kestrovane.rules share/bash-completion/completions/kestrovanectl \
  lib/kestrovane/ZQK_A.sui lib/kestrovane/ZQK_B.sui \
  lib/kestrovane/configure/GM.ini lib/kestrovane/configure/Default_GM.ini \
  lib/kestrovane/data/Default_Mode5_data.ini lib/kestrovane/translations/qtbase_zh_CN.qm \
  lib/kestrovane/translations/qtbase_zh_TW.qm; do
  [ -f "$prefix/$f" ] || fail "the installed layout lacks $f"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/kestrovane.png" ] || fail "no ${size}px icon"
done
[ "$(readlink "$prefix/bin/kestrovanectl")" = ../lib/kestrovane/kestrovanectl ] ||
  fail "bin/kestrovanectl is no link to the program folder's"
[ -x "$prefix/bin/kestrovane" ] || fail "the launcher is not executable"

# The installed folder as a package leaves it: read-only. (A root test run
# could still write there, so its content is also compared at the end.)
snapshot() { (cd "$installed" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(snapshot)
chmod -R a-w "$installed"

# Without a display, through the launcher too: the version the project
# declares, the options, and a usage error.
version=$(sed -n 's/^project(KestrovaneDriver VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=/nonexistent "$@"; }
for exe in "$installed/KestrovaneDriver" "$prefix/bin/kestrovane"; do
  out=$(headless "$exe" --version) || fail "$exe --version failed"
  [ "$out" = "KestrovaneDriver $version" ] || fail "$exe --version printed '$out'"
  out=$(headless "$exe" --help) || fail "$exe --help failed"
  for word in --language= --version --help KESTROVANE_LANGUAGE; do
    grep -qe "$word" <<<"$out" || fail "$exe --help does not name $word"
  done
  rc=0
  err=$(headless "$exe" --language=klingon 2>&1 >/dev/null) || rc=$?
  [ $rc -eq 2 ] && grep -qF "unknown language 'klingon'" <<<"$err" ||
    fail "$exe --language=klingon: exit $rc, '$err'"
done

home=$scratch/home
mkdir "$home"
own=$home/.local/share/KestrovaneDriver
title='KestrovaneDriver\(L1\) v1\.0'

# Starts the installed launcher as the new user, with XDG_DATA_HOME as given
# (unset when empty); sets pid and win.
start() {
  local data_home=("-u" XDG_DATA_HOME)
  [ -z "${1:-}" ] || data_home=("XDG_DATA_HOME=$1")
  (cd "$home" && exec env "${data_home[@]}" HOME="$home" "$prefix/bin/kestrovane" \
    --virtual-mouse="$scratch/mouse") >>"$scratch/program.log" 2>&1 &
  pid=$!
  win=$(timeout 60 xdotool search --sync --name "$title" | head -n1) ||
    { cat "$scratch/program.log"; fail "no window appeared"; }
  [ -n "$win" ] || fail "no window found"
}

# Closes the window as a window manager does (WM_DELETE_WINDOW), after
# giving it the focus: the program writes GM.ini while it closes. A close
# that comes while the program still starts up is lost, so it is repeated
# until the program has ended (a real program: no clock to inject here).
# Whether the program has ended (bash may have reaped it already; wait still
# tells its exit status).
ended() {
  local state
  state=$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null) || return 0
  [ "$state" = Z ]
}

close_window() {
  local tries
  for tries in $(seq 60); do
    xdotool windowfocus "$win" 2>/dev/null || true
    /usr/bin/python3 - "$win" <<'PY' 2>/dev/null || true
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
w.send_event(event, event_mask=0)
d.flush()
PY
    sleep 0.5
    ended && break
  done
  local rc=0
  ended || { import -window root "${SHOT:-/dev/null}" 2>/dev/null; fail "the program did not end when closed"; }
  wait "$pid" || rc=$?
  pid=
  [ $rc -eq 0 ] || fail "the program ended with $rc: $(cat "$scratch/program.log")"
}

# First start: the folder appears with the factory set.
echo "first start"
start
[ "$(readlink "/proc/$pid/cwd")" = "$own" ] || fail "the program's working directory is not $own"
[ "$(readlink "/proc/$pid/exe")" = "$installed/KestrovaneDriver" ] ||
  fail "the program does not run in place from $installed"
[ ! -e "$own/KestrovaneDriver" ] || fail "the launcher copied the executable into $own"
for sub in configure data; do
  diff -r "$installed/$sub" "$own/$sub" || fail "$own/$sub is not the factory set"
  [ ! -L "$own/$sub" ] || fail "$own/$sub is a link, not the user's own copy"
done
# The program made its macro folder in the folder it was given.
[ -d "$own/Macro" ] && [ -z "$(ls -A "$own/Macro")" ] || fail "the program made no Macro folder in $own"
for part in skins Language ZQK_A.sui ZQK_B.sui; do
  [ "$(readlink "$own/$part")" = "$installed/$part" ] || fail "$own/$part is no link to the installed one"
done

# The program's save at closing lands in the user's folder.
gm_inode=$(stat -c %i "$own/configure/GM.ini")
close_window
[ "$(stat -c %i "$own/configure/GM.ini")" != "$gm_inode" ] ||
  fail "closing the program did not rewrite $own/configure/GM.ini"

# kestrovanectl, started outside any program folder, saves there too.
echo "kestrovanectl"
(cd "$home" && env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/kestrovanectl" set --mode 2 \
  report-rate=250) >"$scratch/ctl.out" 2>"$scratch/ctl.err" ||
  fail "kestrovanectl set: $(cat "$scratch/ctl.err")"
grep -qF "using the program folder $own" "$scratch/ctl.err" ||
  fail "kestrovanectl did not say which folder it used: $(cat "$scratch/ctl.err")"
grep -q '^ReportRate=1' "$own/configure/Mode2.ini" || fail "set did not save mode 2 in $own"

# Second start, with a relative XDG_DATA_HOME (ignored): the user's files
# stay, a deleted one comes back, the factory copies follow the installed
# ones, and the copy of the executable an earlier launcher made goes.
echo "second start"
echo "user's own mode" >"$own/data/Mode4_data.ini"
rm "$own/configure/Mode3.ini"
echo "an older factory set" >"$own/configure/Default_GM.ini"
echo "an older factory set" >"$own/data/Default_Mode1_data.ini"
echo "an old copy" >"$own/KestrovaneDriver"
start relative/data
[ ! -e "$home/relative" ] || fail "a relative XDG_DATA_HOME was used"
[ ! -e "$own/KestrovaneDriver" ] || fail "the old copy of the executable stayed in $own"
for f in configure/Default_GM.ini data/Default_Mode1_data.ini; do
  cmp -s "$installed/$f" "$own/$f" || fail "$own/$f does not follow the installed factory set"
done
grep -qx "user's own mode" "$own/data/Mode4_data.ini" || fail "a second start overwrote the user's mode 4"
cmp -s "$installed/configure/Mode3.ini" "$own/configure/Mode3.ini" ||
  fail "a second start did not restore the deleted Mode3.ini"
close_window
[ -f "$own/configure/GM.ini" ] || fail "GM.ini vanished"

[ "$(snapshot)" = "$before" ] || fail "the installed folder changed"
[ ! -e "$installed/Macro" ] || fail "a Macro folder appeared in the installed folder"
echo "installed launcher: per-user folder $own prepared, saves kept there"
