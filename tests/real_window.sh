#!/usr/bin/env bash
# The built program on a real X server (its own Xvfb, no window manager): the window comes up
# titled "QOR" where it was designed, shows the starting curve, answers the keyboard with the
# curve for the new parameters, copies the curve to the clipboard with Ctrl+C, restores the
# axes with Home after a zoom and pan, and closes cleanly. Screenshots are left in the output directory.
#
#   real_window.sh QOR OUTPUT_DIR CURVE_PIXELS CLOSE_WINDOW
set -u
qor=$1 out=$2 curve_pixels=$3 close_window=$4

WindowX=192 WindowY=125      # the designed position; nothing moves it without a window manager
PaintWait=5                  # seconds for the window to show what a key asked for
ExitWait=5                   # seconds for the program to exit once asked to close

mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt "$out"/*.log

# pass, failed, abort, deadline, start_xvfb, start_qor; every process ends with the script
. "$(dirname "$0")/xlib.sh"

require_tools Xvfb xdotool xwininfo xprop import convert xclip

# --- where the curves must be, from the window built offscreen -----------------------------------

# The parameters after each step of the key sequence below, from P0=20, P2=10 with the focus on
# P0's "<<": Return presses it; Tab moves to P0's ">>", three Spaces press it; Tab moves to P2's
# ">>", Return, keypad Enter and Return press it. Then Shift+Return must press nothing; Tab moves
# to P2's "<<" and Return presses it, Tab wraps round to P0's "<<" and Return presses that.
expect_pixels() {  # expect_pixels NAME P0 P2 [OLD_P0 OLD_P2]
    local name=$1
    shift
    "$curve_pixels" "$@" >"$out/$name.txt" 2>>"$out/curve_pixels.log" \
        || abort "curve_pixels $* failed (see $out/curve_pixels.log)"
}
expect_pixels start 20 10
expect_pixels after_return 19 10 20 10
expect_pixels after_keys 22 13 20 10
expect_pixels after_shift_return 21 12 22 13
expect_pixels shift_return_pressed 21 13     # only to name the fault if it happens

# --- X server -------------------------------------------------------------------------------------

start_xvfb 1600x1000x24   # with the pointer parked off the window, so no hover draws over the curve
echo "Xvfb on $DISPLAY"

# --- the window -----------------------------------------------------------------------------------

start_qor
pass "window $win is up"

name=$(xprop -id "$win" WM_NAME _NET_WM_NAME)
expected_name='WM_NAME(STRING) = "QOR"
_NET_WM_NAME(UTF8_STRING) = "QOR"'
[ "$name" = "$expected_name" ] && pass "title is exactly QOR" || failed "title: $name"

info=$(xwininfo -id "$win")
field() { echo "$info" | sed -n "s/^ *$1: *//p"; }
wx=$(field 'Absolute upper-left X') wy=$(field 'Absolute upper-left Y')
size="$(field Width) $(field Height)"
expected_size=$(sed -n 's/^size //p' "$out/start.txt")
[ "$wx,$wy" = "$WindowX,$WindowY" ] && pass "window at $wx,$wy" || failed "window at $wx,$wy, expected $WindowX,$WindowY"
[ "$size" = "$expected_size" ] && pass "client size $size" || failed "client size $size, expected $expected_size"

# --- checking a screenshot against the expected pixels --------------------------------------------

# check_shot SHOT EXPECTED [report]: looks up every point of EXPECTED in SHOT (one convert call)
# and returns 0 when each "on" point is red and no "off" or "gone" point is. With "report" it
# prints each wrong pixel and a summary per kind.
check_shot() {
    local shot=$1 expected=$2 report=${3:-} kinds=() xs=() ys=() notes=() fmt='' k x y note
    while read -r k x y note; do
        [ "$k" = size ] && continue
        kinds+=("$k") xs+=($((x + wx))) ys+=($((y + wy))) notes+=("$note")
        fmt+="%[fx:round(255*p{$((x + wx)),$((y + wy))}.r)] %[fx:round(255*p{$((x + wx)),$((y + wy))}.g)] %[fx:round(255*p{$((x + wx)),$((y + wy))}.b)]\n"
    done <"$expected"
    local colours
    colours=$(convert "$shot" -format "$fmt" info:) || { [ -n "$report" ] && failed "can't read $shot"; return 1; }
    local i=0 r g b red wrong=0 bad_on=0 bad_off=0 bad_gone=0
    while read -r r g b; do
        red=0
        [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && red=1
        if { [ "${kinds[i]}" = on ] && [ $red -eq 0 ]; } || { [ "${kinds[i]}" != on ] && [ $red -eq 1 ]; }; then
            wrong=1
            case ${kinds[i]} in on) bad_on=$((bad_on + 1)) ;; off) bad_off=$((bad_off + 1)) ;; gone) bad_gone=$((bad_gone + 1)) ;; esac
            [ -n "$report" ] && echo "  wrong pixel: ${kinds[i]} at ${xs[i]},${ys[i]} is rgb($r,$g,$b) (${notes[i]})"
        fi
        i=$((i + 1))
    done <<<"$colours"
    [ "$i" -eq "${#kinds[@]}" ] || { [ -n "$report" ] && failed "read $i colours for ${#kinds[@]} points in $shot"; return 1; }
    if [ -n "$report" ]; then
        local n
        n=$(grep -c '^on ' "$expected")
        [ $bad_on -eq 0 ] && pass "$(basename "$shot"): all $n points on the expected line are red" \
            || failed "$(basename "$shot"): $bad_on of $n points on the expected line are not red"
        n=$(grep -c '^off ' "$expected")
        [ $bad_off -eq 0 ] && pass "$(basename "$shot"): none of $n plot points away from the line is red" \
            || failed "$(basename "$shot"): $bad_off of $n plot points away from the line are red"
        n=$(grep -c '^gone ' "$expected")
        if [ "$n" -gt 0 ]; then
            [ $bad_gone -eq 0 ] && pass "$(basename "$shot"): none of $n points only on the previous curve is red" \
                || failed "$(basename "$shot"): $bad_gone of $n points only on the previous curve are still red"
        fi
    fi
    return $wrong
}

screenshot() { import -window root "$1" 2>>"$out/import.log"; }

# await_curve NAME: screenshots into NAME.png until it matches NAME.txt or PaintWait runs out,
# then reports on the last one. The window paints some time after a key, so no fixed sleep.
await_curve() {
    local name=$1 end
    end=$(deadline "$PaintWait")
    while :; do
        screenshot "$out/$name.png" && check_shot "$out/$name.png" "$out/$name.txt" && break
        [ "$(now)" -lt "$end" ] || break
        kill -0 "$qor_pid" 2>/dev/null || abort "qor exited while waiting for $name"
        sleep 0.1
    done
    [ -f "$out/$name.png" ] || abort "no screenshot taken (see $out/import.log)"
    check_shot "$out/$name.png" "$out/$name.txt" report
}

await_curve start

# --- the keyboard ---------------------------------------------------------------------------------

# Nothing gives the window the focus without a window manager. Keys below go through XTEST, and
# `xdotool key` releases every key it presses, so nothing stays held in the server.
timeout 5 xdotool windowfocus --sync "$win" || abort "could not give the window the focus"
[ "$(xdotool getwindowfocus)" = "$win" ] && pass "window has the keyboard focus" \
    || abort "focus is on $(xdotool getwindowfocus), not the window $win"
keys() { xdotool key "$@" || abort "xdotool key $* failed"; }

keys Return
await_curve after_return

keys Tab space space space Tab Return KP_Enter Return
await_curve after_keys

# The keys after Shift+Return show when it has been handled. Had it pressed P2's ">>", P2 would
# have gone 13, 14, 13 and never shown 12, so no screenshot in between can pass for the right end.
keys shift+Return Tab Return Tab Return
if await_curve after_shift_return; then
    pass "Shift+Return pressed nothing (P0=21, P2=12 after the keys that follow it)"
elif check_shot "$out/after_shift_return.png" "$out/shift_return_pressed.txt"; then
    failed "Shift+Return pressed P2's >> (P2 ended at 13)"
fi

# --- copy and restore -----------------------------------------------------------------------------

# Ctrl+C puts the curve now shown (P0=21, P2=12) on the X clipboard as a table, with a picture
# beside it; qor itself serves it, so xclip reads what another program would paste.
expected_table() {  # expected_table P0 P2: the header and one "Tul<TAB>Tko" line per sample
    local p0=$1 p2=$2 tul tko
    printf '\xd0\xa2\xd1\x83\xd0\xbb\t\xd0\xa2\xd0\xba\xd0\xbe\n'   # Тул, Тко in UTF-8
    for tul in $(seq -40 20); do
        tko=$(( (p0 - tul) * p2 / 10 + p0 ))   # bash divides truncating toward zero, as C++
        [ $tko -gt 95 ] && tko=95
        [ $tko -lt 1 ] && tko=1
        printf '%d\t%d\n' "$tul" "$tko"
    done
}
expected_table 21 12 >"$out/clipboard_expected.txt"
keys ctrl+c
end=$(deadline "$PaintWait")
until xclip -o -selection clipboard -t UTF8_STRING >"$out/clipboard.txt" 2>/dev/null \
        && cmp -s "$out/clipboard.txt" "$out/clipboard_expected.txt"; do
    [ "$(now)" -lt "$end" ] || break
    sleep 0.1
done
if cmp -s "$out/clipboard.txt" "$out/clipboard_expected.txt"; then
    pass "Ctrl+C: the clipboard holds the table of the 61 samples for P0=21, P2=12"
else
    failed "Ctrl+C: the clipboard holds something else:"
    diff "$out/clipboard.txt" "$out/clipboard_expected.txt" | head -n 10
fi
xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -qx 'image/png' \
    && pass "Ctrl+C: the clipboard offers the chart as image/png" \
    || failed "Ctrl+C: no image/png on the clipboard (targets: $(xclip -o -selection clipboard -t TARGETS 2>&1 | tr '\n' ' '))"

# Zoom into the middle of the plot and pan, then Home: the curve is back where it was.
xdotool mousemove $((wx + 420)) $((wy + 140)) mousedown 1 mousemove $((wx + 560)) $((wy + 240)) \
    mousemove $((wx + 700)) $((wy + 320)) mouseup 1 \
    mousedown 3 mousemove $((wx + 650)) $((wy + 300)) mousemove $((wx + 600)) $((wy + 280)) mouseup 3 \
    mousemove 1599 999 || abort "xdotool could not drag"
end=$(deadline "$PaintWait")
while screenshot "$out/zoomed.png" && check_shot "$out/zoomed.png" "$out/after_shift_return.txt"; do
    [ "$(now)" -lt "$end" ] || break
    sleep 0.1
done
check_shot "$out/zoomed.png" "$out/after_shift_return.txt" && failed "the zoom and pan changed nothing on screen" \
    || pass "the zoom and pan moved the curve"
cp "$out/after_shift_return.txt" "$out/after_home.txt"
keys Home
await_curve after_home

# --- closing --------------------------------------------------------------------------------------

"$close_window" "$win" || failed "could not send the window WM_DELETE_WINDOW"
end=$(deadline "$ExitWait")
while kill -0 "$qor_pid" 2>/dev/null && [ "$(now)" -lt "$end" ]; do sleep 0.05; done
if kill -0 "$qor_pid" 2>/dev/null; then
    failed "qor still running ${ExitWait}s after its window was asked to close"
else
    wait "$qor_pid"
    status=$?
    qor_pid=
    [ "$status" -eq 0 ] && pass "closing the window ends qor with status 0" || failed "qor exited with status $status"
fi

echo "screenshots in $out; took ${SECONDS}s"
[ "$fail" -eq 0 ] && echo "PASS" || { echo "--- qor output:"; cat "$out/qor.log"; }
exit "$fail"
