#!/usr/bin/env bash
# wait-window.sh TITLE_REGEX SECONDS: prints the X window id of the first
# window whose name matches, once it exists; exit 1 when none appears in
# time. Polls instead of `xdotool search --sync`, which gives up with
# BadWindow when another window vanishes under it (wine makes and drops
# windows while a prefix starts).
title=$1
seconds=${2:-60}
for _ in $(seq $((seconds * 4))); do
  win=$(xdotool search --name "$title" 2>/dev/null | head -n 1)
  [ -n "$win" ] && { echo "$win"; exit 0; }
  sleep 0.25
done
exit 1
