#!/usr/bin/env bash
# Started with no display, QOR says so in one line and exits with status 1 (no abort, no core).
qor=$1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$qor" 2>&1)
rc=$?
echo "exit status $rc, output: $out"
[ "$rc" -eq 1 ] || { echo "FAIL: expected exit status 1"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "FAIL: expected one line"; exit 1; }
printf '%s' "$out" | grep -qi "no display" || { echo "FAIL: the line does not say there is no display"; exit 1; }
echo PASS
