#!/usr/bin/env bash
# package_test.sh BUILD_DIR: builds the Debian package of the installed
# layout into a scratch folder and checks it as Debian would: lintian finds
# no error, the copyright file is machine-readable, the changelog and the
# manual pages are gzipped without a time stamp, and man renders both pages
# without a warning.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/*.deb)
[ -f "$deb" ] || fail "no package was built"

dpkg-deb -x "$deb" "$scratch/root"
doc=$scratch/root/usr/share/doc/kestrovane
head -n1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
for gz in "$doc/changelog.gz" "$scratch"/root/usr/share/man/man1/kestrovane{,ctl}.1.gz; do
  [ -f "$gz" ] || fail "the package lacks ${gz#"$scratch"/root}"
  # gzip -n leaves the header's time stamp zero (bytes 4 to 7).
  [ "$(od -An -tx1 -j4 -N4 "$gz" | tr -d ' ')" = 00000000 ] || fail "$gz carries a time stamp"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
zcat "$doc/changelog.gz" | grep -qF -- " -- $maintainer  " || fail "the changelog is not signed by $maintainer"

for page in kestrovane kestrovanectl; do
  warnings=$(MANWIDTH=80 man --warnings -l "$scratch/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page.1: $warnings"
done

lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
! grep -q '^E:' "$scratch/lintian.log" || fail "lintian reports errors"
echo "package $(basename "$deb"): no lintian error, manual pages render cleanly"
