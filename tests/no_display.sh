#!/usr/bin/env bash
# Started where it can't show its window, QOR says why in one line, naming the platform and the
# display it was asked for, and exits with status 1 (no abort, no core dump).
#
#   no_display.sh QOR
qor=$1
fail=0
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # check DESCRIPTION PATTERN COMMAND...
    local what=$1 pattern=$2
    shift 2
    local out rc
    out=$("$@" 2>&1)
    rc=$?
    echo "$what: exit status $rc, output: $out"
    if [ "$rc" -ne 1 ] || [ "$(printf '%s\n' "$out" | wc -l)" -ne 1 ] || ! printf '%s' "$out" | grep -q -- "$pattern"; then
        echo "FAIL: $what: expected exit status 1 and one line matching '$pattern'"
        fail=1
    fi
}

# an empty runtime directory: no Wayland compositor in it
mkdir -m 700 "$work/run"
plain=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/run")

check "no display" "^qor: no display" "${plain[@]}" "$qor"
# display numbers nothing listens on
check "unreachable DISPLAY" '^qor: cannot open the X display ":987" (DISPLAY); Qt: .*:987' \
    "${plain[@]}" DISPLAY=:987 "$qor"
check "-display names another display than DISPLAY" '^qor: cannot open the X display ":986" (from -display)' \
    "${plain[@]}" DISPLAY=:987 "$qor" -display :986
check "-display with no DISPLAY" '^qor: cannot open the X display ":985" (from -display)' "${plain[@]}" "$qor" -display :985
check "QT_QPA_PLATFORM=xcb with no DISPLAY" '^qor: cannot open an X display: DISPLAY is not set' \
    "${plain[@]}" QT_QPA_PLATFORM=xcb "$qor"
check "QT_QPA_PLATFORM=bogus" '^qor: there is no Qt platform plugin "bogus" (available: .*xcb' \
    "${plain[@]}" DISPLAY=:987 QT_QPA_PLATFORM=bogus "$qor"
check "-platform bogus" '^qor: there is no Qt platform plugin "bogus"' "${plain[@]}" DISPLAY=:987 "$qor" -platform bogus
check "QT_QPA_PLATFORM=wayland with no compositor" \
    '^qor: cannot connect to the Wayland compositor "qor-none" (WAYLAND_DISPLAY); Qt: ' \
    "${plain[@]}" WAYLAND_DISPLAY=qor-none QT_QPA_PLATFORM=wayland "$qor"
check "QT_QPA_PLATFORM=wayland, WAYLAND_DISPLAY unset" '^qor: cannot connect to the Wayland compositor "wayland-0" (WAYLAND_DISPLAY not set)' \
    "${plain[@]}" DISPLAY=:987 QT_QPA_PLATFORM=wayland "$qor"
check "QT_QPA_PLATFORM=eglfs with no graphics device" '^qor: the Qt platform "eglfs" could not start; Qt: ' \
    "${plain[@]}" QT_QPA_PLATFORM=eglfs QT_QPA_EGLFS_INTEGRATION=none "$qor"
check "QT_QPA_PLATFORM=linuxfb with no framebuffer" '^qor: the Qt platform "linuxfb" has no screen' \
    "${plain[@]}" QT_QPA_PLATFORM=linuxfb:fb=$work/no-fb "$qor"

# An X server of 256 colours (8-bit PseudoColor): the styles can't draw there.
if command -v Xvfb >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1280x1024x8 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break; sleep 0.05; done
    if grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; then
        check "8-bit X display" '^qor: the display.s colour depth of 8 bits is not supported' \
            "${plain[@]}" DISPLAY=":$(cat "$work/display")" "$qor"
    else
        echo "FAIL: the 8-bit Xvfb did not come up: $(tail -n 3 "$work/xvfb.log")"
        fail=1
    fi
else
    echo "FAIL: Xvfb is not installed (scripts/setup.sh installs it)"
    fail=1
fi
[ "$fail" -eq 0 ] && echo PASS
exit "$fail"
