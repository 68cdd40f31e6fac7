#!/usr/bin/env bash
# Started with no display, or with one that can't be reached, QOR says so in one line and exits
# with status 1 (no abort, no core dump).
qor=$1
fail=0

check() {  # check DESCRIPTION PATTERN COMMAND...
    local what=$1 pattern=$2
    shift 2
    local out rc
    out=$("$@" 2>&1)
    rc=$?
    echo "$what: exit status $rc, output: $out"
    if [ "$rc" -ne 1 ] || [ "$(printf '%s\n' "$out" | wc -l)" -ne 1 ] || ! printf '%s' "$out" | grep -qi "$pattern"; then
        echo "FAIL: $what: expected exit status 1 and one line matching '$pattern'"
        fail=1
    fi
}

check "no display" "no display" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$qor"
# a display number nothing listens on
check "unreachable display" "cannot open the display" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:987 "$qor"
[ "$fail" -eq 0 ] && echo PASS
exit "$fail"
