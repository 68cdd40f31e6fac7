#!/usr/bin/env bash
# Keys held down on the real window, with the X server's own auto-repeat, under CPU load: held
# Return and keypad Enter on ">>" step P0 once on the press and once per repeat the server sends,
# and stop when the key is let go; held Space presses once. The count expected comes from the
# server's repeat delay and rate and the time the key was held.
#
#   held_keys.sh QOR OUTPUT_DIR CURVE_PIXELS
set -u
qor=$1 out=$2 curve_pixels=$3
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt "$out"/*.log
. "$(dirname "$0")/xlib.sh"
require_tools Xvfb xdotool xwininfo xset import convert

HoldMs=1000

# expect P0 P2: the file curve_pixels writes for them (made once)
expect() {
    local f="$out/p$1-$2.txt"
    [ -s "$f" ] || "$curve_pixels" "$1" "$2" >"$f" 2>>"$out/curve_pixels.log" || abort "curve_pixels $1 $2 failed"
    echo "p$1-$2"
}

# which_p0 P2 LOW HIGH: waits until the screen shows the curve of some P0 in LOW..HIGH with P2,
# and prints that P0 (nothing if none matched in time). Looks from the middle outwards, where
# the answer most likely is, as each candidate costs a run of curve_pixels.
which_p0() {
    local p2=$1 low=$2 high=$3 end p name d mid candidates=()
    [ "$low" -lt 0 ] && low=0
    [ "$high" -gt 50 ] && high=50
    mid=$(((low + high) / 2))
    for d in $(seq 0 $((high - low))); do
        [ $((mid + d)) -le "$high" ] && candidates+=($((mid + d)))
        [ "$d" -gt 0 ] && [ $((mid - d)) -ge "$low" ] && candidates+=($((mid - d)))
    done
    end=$(deadline 30)
    while :; do
        screenshot "$out/now.png" || abort "no screenshot (see $out/import.log)"
        for p in "${candidates[@]}"; do
            name=$(expect "$p" "$p2")
            check_shot "$out/now.png" "$out/$name.txt" && { cp "$out/now.png" "$out/$name.png"; echo "$p"; return 0; }
        done
        [ "$(now)" -lt "$end" ] || return 1
        kill -0 "$qor_pid" 2>/dev/null || abort "qor exited"
        sleep 0.2
    done
}

# hold KEY: holds KEY for HoldMs; sets hold_min and hold_max, the bounds in ms on how long the
# server saw it down.
hold() {
    local t0 t1 t2 t3
    t0=$(now_ms)
    xdotool keydown "$1" || abort "xdotool keydown $1 failed"
    t1=$(now_ms)
    sleep "$(printf "%d.%03d" $((HoldMs / 1000)) $((HoldMs % 1000)))"
    t2=$(now_ms)
    xdotool keyup "$1" || abort "xdotool keyup $1 failed"
    t3=$(now_ms)
    hold_min=$((t2 - t1)) hold_max=$((t3 - t0))
}

# repeats MS: how many repeats the server sends while a key is held MS milliseconds
repeats() {
    local ms=$1
    [ "$ms" -lt "$RepeatDelay" ] && { echo 0; return; }
    echo $(((ms - RepeatDelay) * RepeatRate / 1000 + 1))
}

# expect the starting curve and the marker steps, before the load makes everything slow
for p0 in 20; do expect $p0 10 >/dev/null; done

start_xvfb
# the server's repeat: delay in ms before the first repeat, then repeats a second
read -r RepeatDelay RepeatRate < <(xset q | sed -n 's/.*auto repeat delay: *\([0-9]*\) *repeat rate: *\([0-9]*\).*/\1 \2/p')
[ -n "$RepeatRate" ] && [ "$RepeatRate" -gt 0 ] || abort "can't read the server's repeat settings: $(xset q | grep -i 'repeat')"
echo "server repeat: ${RepeatDelay} ms delay, $RepeatRate/s"
start_qor
focus_qor
[ "$(which_p0 10 20 20)" = 20 ] || abort "the starting curve is not shown"

start_load
echo "load: pids$load_pids"

p0=20 p2=10
# check_hold KEY DIRECTION RETURN_KEYS: KEY was held on P0's ">>" (DIRECTION 1) or "<<" (-1).
# Then Tab to P2's ">>" and Return, and RETURN_KEYS back: once P2 shows one more, every repeat
# before has been handled (or dropped), so the P0 on screen is final.
check_hold() {
    local key=$1 dir=$2 back=$3 low high got steps
    xdotool key $back || abort "xdotool key failed"
    p2=$((p2 + 1))
    low=$(repeats "$hold_min") high=$(repeats "$hold_max")
    # a repeat the server sends while the key goes up may or may not arrive before the release
    [ "$low" -gt 0 ] && low=$((low - 1))
    high=$((high + 1))
    if [ "$dir" -gt 0 ]; then
        got=$(which_p0 "$p2" $((p0 + 1)) $((p0 + 2 + high)))
    else
        got=$(which_p0 "$p2" $((p0 - 2 - high)) $((p0 - 1)))
    fi
    [ -n "$got" ] || { failed "held $key: P0 is not within $((high + 2)) steps of $p0 (P2=$p2)"; return; }
    steps=$(((got - p0) * dir))
    echo "held $key for ${hold_min}..${hold_max} ms: $steps steps; the server sent $low..$high repeats in that time"
    if [ $((steps - 1)) -ge "$low" ] && [ $((steps - 1)) -le "$high" ]; then
        pass "held $key stepped P0 once on the press and once per repeat ($steps steps)"
    else
        failed "held $key stepped P0 $steps times; expected 1 + $low..$high repeats for ${hold_min}..${hold_max} ms at ${RepeatDelay} ms, $RepeatRate/s"
    fi
    p0=$got
}

# The focus starts on P0's "<<"; Tab moves to its ">>".
xdotool key Tab || abort "xdotool key failed"
hold Return
check_hold Return 1 "Tab Return shift+Tab"
xdotool key shift+Tab || abort "xdotool key failed"
hold KP_Enter
check_hold KP_Enter -1 "Tab Tab Return shift+Tab shift+Tab"
xdotool key Tab || abort "xdotool key failed"

hold space
xdotool key Tab Return shift+Tab
p2=$((p2 + 1))
got=$(which_p0 "$p2" $((p0 - 1)) $((p0 + 4)))
if [ "$got" = $((p0 + 1)) ]; then
    pass "held space (${hold_min} ms) pressed once"
else
    failed "held space (${hold_min} ms): P0 went from $p0 to ${got:-beyond $((p0 + 4))}, expected $((p0 + 1))"
fi

stop_load
echo "took ${SECONDS}s"
[ "$fail" -eq 0 ] && echo "PASS" || { echo "--- qor output:"; cat "$out/qor.log"; }
exit "$fail"
