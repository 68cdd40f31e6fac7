#!/usr/bin/env bash
# The real window (its own Xvfb) meeting what other programs and the pointer do to it: a zoom
# drag cut short by the window being unmapped is abandoned, and the next drag zooms into its
# own rectangle; a drag that is wide but a pixel high restores the axes instead of zooming to
# a sliver; and the window destroyed by another client ends QOR with status 0.
#
#   window_events.sh QOR OUTPUT_DIR CURVE_PIXELS
set -u
qor=$1 out=$2 curve_pixels=$3
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt "$out"/*.log
. "$(dirname "$0")/xlib.sh"
require_tools Xvfb xdotool xwininfo import convert

read -r _ left top right bottom < <("$curve_pixels" --plot 2>>"$out/curve_pixels.log") \
    || abort "curve_pixels --plot failed"
# window-relative points in the plot: the drags below
cx=$(((left + right) / 2)) cy=$(((top + bottom) / 2))
"$curve_pixels" 20 10 >"$out/start.txt" 2>>"$out/curve_pixels.log" || abort "curve_pixels failed"
zoom=($((left + 120)) $((top + 60)) $((cx + 150)) $((cy + 100)))
"$curve_pixels" 20 10 --zoom "${zoom[@]}" >"$out/zoomed.txt" 2>>"$out/curve_pixels.log" \
    || abort "curve_pixels --zoom failed"

start_xvfb
start_qor
await_curve start || abort "the starting curve is not shown"

# at X Y: moves the pointer to window point X,Y
at() { xdotool mousemove $(($1 + wx)) $(($2 + wy)) || abort "xdotool mousemove failed"; }

# A drag from the left of the plot, cut short: the window goes away with the button still down,
# and the button comes up while it is away.
at "$cx" "$cy"
xdotool mousedown 1
at $((cx + 100)) $((cy + 80))
xdotool windowunmap --sync "$win" || abort "xdotool windowunmap failed"
xdotool mouseup 1
xdotool windowmap --sync "$win" || abort "xdotool windowmap failed"
# the pointer wanders over the plot with no button held
at $((cx + 40)) $((cy + 30))
at $((cx + 160)) $((cy + 120))
# a fresh drag
at "${zoom[0]}" "${zoom[1]}"
xdotool mousedown 1
at $(((zoom[0] + zoom[2]) / 2)) $(((zoom[1] + zoom[3]) / 2))
at "${zoom[2]}" "${zoom[3]}"
xdotool mouseup 1
at 1500 900 2>/dev/null || xdotool mousemove 1599 999
if await_curve zoomed; then
    pass "after a drag cut short by unmapping, a fresh drag zooms into its own rectangle"
else
    failed "after a drag cut short by unmapping, the view is not the one the fresh drag asked for"
fi

# 200 pixels across, 1 down: not a zoom, so it restores the designed axes
at "$left" "$cy"
at $((left + 20)) "$cy"
xdotool mousedown 1
at $((left + 120)) $((cy + 1))
at $((left + 220)) $((cy + 1))
xdotool mouseup 1
xdotool mousemove 1599 999
if await_curve start; then
    pass "a drag of 200 by 1 pixels restores the axes"
else
    failed "a drag of 200 by 1 pixels did not restore the axes"
fi

# Another client destroys the window outright.
xdotool windowclose "$win" || failed "xdotool windowclose failed"
if wait_exit 5; then
    [ "$exit_status" -eq 0 ] && pass "the window destroyed from outside ends qor with status 0" \
        || failed "the window destroyed from outside: qor exited with status $exit_status"
else
    failed "qor still running 5s after its window was destroyed"
fi

echo "took ${SECONDS}s"
[ "$fail" -eq 0 ] && echo "PASS" || { echo "--- qor output:"; cat "$out/qor.log"; }
exit "$fail"
