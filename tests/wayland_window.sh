#!/usr/bin/env bash
# QOR as a Wayland client, on a weston of the test's own (headless backend, its own runtime
# directory and socket): the window appears and shows the starting curve (weston's screenshooter),
# and a press of "Raise P0" made through the accessibility bus draws the curve for P0=21.
# Weston's headless backend takes no input from outside, so the press goes through AT-SPI.
#
#   wayland_window.sh QOR OUTPUT_DIR CURVE_PIXELS
set -u
# a session bus of our own, for the accessibility bus
if [ -z "${QOR_IN_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is not installed (package dbus)"; exit 1; }
    QOR_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
qor=$1 out=$2 curve_pixels=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
rm -rf "$out"/*.png "$out"/*.txt "$out"/*.log "$out/run"
. "$here/xlib.sh"
require_tools weston weston-screenshooter convert
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || abort "/usr/bin/python3 with pyatspi is needed (package python3-pyatspi)"

weston_pid=
trap 'stop_pid "$weston_pid"; xlib_cleanup' EXIT

mkdir -m 700 "$out/run"
export XDG_RUNTIME_DIR="$out/run" WAYLAND_DISPLAY="qor-test-$$" QT_QPA_PLATFORM=wayland
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=1280 --height=800 \
    --socket="$WAYLAND_DISPLAY" >"$out/weston.log" 2>&1 &
weston_pid=$!
end=$(deadline 10)
until [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; do
    kill -0 "$weston_pid" 2>/dev/null || abort "weston exited: $(tail -n 3 "$out/weston.log")"
    [ "$(now)" -lt "$end" ] || abort "weston did not come up within 10s"
    sleep 0.05
done

"$curve_pixels" 20 10 --grab "$out/offscreen.png" >"$out/start.txt" 2>>"$out/curve_pixels.log" || abort "curve_pixels failed"
"$curve_pixels" 21 10 20 10 >"$out/raised.txt" 2>>"$out/curve_pixels.log" || abort "curve_pixels failed"
# red_box IMAGE: where the red of the curve and legend lies: "X Y"
red_box() { convert "$1" -fuzz 15% -fill black +opaque 'rgb(255,0,0)' -trim -format '%X %Y' info: 2>/dev/null | tr -d +; }
read -r ox oy <<<"$(red_box "$out/offscreen.png")"

wx= wy=
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$qor" >"$out/qor.log" 2>&1 &
qor_pid=$!

# shoot NAME: a screenshot of the whole output into NAME.png
shoot() {
    (cd "$out" && rm -f wayland-screenshot-*.png && weston-screenshooter >>screenshooter.log 2>&1) || return 1
    mv "$out"/wayland-screenshot-*.png "$out/$1.png" 2>/dev/null
}
# await NAME: screenshots until the window (wherever weston put it) shows NAME.txt
await() {
    local end box sx sy
    end=$(deadline 15)
    while :; do
        kill -0 "$qor_pid" 2>/dev/null || abort "qor exited (see $out/qor.log)"
        if shoot "$1"; then
            # the window stays where it first appeared: find it once, by the starting curve
            if [ -z "${wx:-}" ] || [ "$1" = start ]; then
                box=$(red_box "$out/$1.png")
                [ -n "$box" ] && read -r sx sy <<<"$box" && wx=$((sx - ox)) wy=$((sy - oy))
            fi
            [ -n "${wx:-}" ] && check_shot "$out/$1.png" "$out/$1.txt" && return 0
        fi
        [ "$(now)" -lt "$end" ] || break
        sleep 0.2
    done
    [ -f "$out/$1.png" ] && check_shot "$out/$1.png" "$out/$1.txt" report
    return 1
}

if await start; then
    pass "the window is up on Wayland at $wx,$wy with the starting curve"
else
    abort "no window with the starting curve on Wayland (see $out/start.png)"
fi
if /usr/bin/python3 "$here/press_button.py" "Raise P0" 2>>"$out/atspi.log"; then
    if await raised; then
        pass "a press through AT-SPI raised P0 and the curve followed"
    else
        failed "after the press the window does not show the curve for P0=21 (see $out/raised.png)"
    fi
else
    failed "could not press Raise P0 through AT-SPI: $(tail -n 2 "$out/atspi.log")"
fi

echo "took ${SECONDS}s"
[ "$fail" -eq 0 ] && echo "PASS" || { echo "--- qor output:"; cat "$out/qor.log"; }
exit "$fail"
