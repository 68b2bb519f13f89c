#!/usr/bin/env bash
# Regenerates the macro files under compile/ from the plain scripts under
# scripts/ (one event per line, LF). OpenSSL's DES does the enciphering, so
# that the files do not come from the code they test: key "Tarsk" completed
# with three 0 bytes, each line completed with 0 bytes to a multiple of 8,
# ECB, lower-case hex, CR LF after every line. Run it only on purpose.
set -euo pipefail
cd "$(dirname "$0")"
key=546172736b000000
for script in scripts/*.txt; do
  name=$(basename "$script" .txt)
  out=compile/$name.spm
  : >"$out"
  while IFS= read -r line || [ -n "$line" ]; do
    if [ -n "$line" ]; then
      pad=$(( (8 - ${#line} % 8) % 8 ))
      { printf '%s' "$line"; head -c "$pad" /dev/zero; } |
        openssl enc -des-ecb -provider legacy -provider default -K "$key" -nopad |
        od -An -v -tx1 | tr -d ' \n' >>"$out"
    fi
    printf '\r\n' >>"$out"
  done <"$script"
done
