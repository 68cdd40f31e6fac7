# Shared by the tests of the real window: an X server of the test's own (Xvfb -displayfd, so no
# fixed display number can clash with another server), QOR on it, screenshots checked against
# the pixels curve_pixels expects, and CPU load of the test's own. Source it after setting
# `out` (the output directory) and `qor`; every process started here is ended on exit by its id.

fail=0
pass() { echo "PASS: $*"; }
failed() { echo "FAIL: $*"; fail=1; }
# Something the rest depends on didn't come up: no point going on.
abort() {
    echo "FAIL: $*"
    [ -s "$out/qor.log" ] && { echo "--- qor output:"; tail -n 20 "$out/qor.log"; }
    exit 1
}

now() { date +%s%N; }
now_ms() { echo $(($(now) / 1000000)); }
deadline() { echo $(($(now) + $1 * 1000000000)); }

xvfb_pid= qor_pid= load_pids=
stop_pid() {
    local pid=$1
    kill "$pid" 2>/dev/null || return 0
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
xlib_cleanup() {
    local pid
    for pid in $load_pids $qor_pid $xvfb_pid; do stop_pid "$pid"; done
    load_pids= qor_pid= xvfb_pid=
}
trap xlib_cleanup EXIT
trap 'exit 1' INT TERM HUP

require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || abort "$tool is not installed (scripts/setup.sh installs it)"
    done
}

# start_xvfb [SCREEN]: an X server of our own, e.g. SCREEN=1600x1000x24; exports DISPLAY.
# -noreset: by default the server resets when its last client leaves (here after each xdotool
# call), and a client connecting during the reset fails with "could not connect to display".
start_xvfb() {
    local screen=${1:-1600x1000x24} end
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM XAUTHORITY
    rm -f "$out/display.txt"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$out/display.txt" >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    end=$(deadline 10)
    until grep -q '^[0-9][0-9]*$' "$out/display.txt" 2>/dev/null; do
        kill -0 "$xvfb_pid" 2>/dev/null || abort "Xvfb exited: $(tail -n 3 "$out/xvfb.log")"
        [ "$(now)" -lt "$end" ] || abort "Xvfb did not come up within 10s"
        sleep 0.05
    done
    export DISPLAY=":$(cat "$out/display.txt")"
    # park the pointer off the window, so no hover effect draws over the curve
    xdotool mousemove 1599 999 || abort "xdotool can't reach $DISPLAY"
}

# start_qor [ARGS...]: starts QOR and waits for its window; sets qor_pid, win, wx, wy.
start_qor() {
    local end
    "$qor" "$@" >"$out/qor.log" 2>&1 &
    qor_pid=$!
    # --onlyvisible: Qt also keeps an unmapped 1x1 window with the application's name
    end=$(deadline 10)
    until win=$(xdotool search --onlyvisible --name '^QOR$' 2>/dev/null); do
        kill -0 "$qor_pid" 2>/dev/null || abort "qor exited before showing its window; Xvfb $(kill -0 "$xvfb_pid" 2>/dev/null && echo running || echo gone), xdpyinfo: $(xdpyinfo 2>&1 | head -n 3 | tr '\n' ' ')"
        [ "$(now)" -lt "$end" ] || abort "no visible window titled QOR within 10s"
        sleep 0.05
    done
    [ "$(echo "$win" | wc -l)" -eq 1 ] || abort "more than one visible window titled QOR: $win"
    local info
    info=$(xwininfo -id "$win")
    wx=$(echo "$info" | sed -n 's/^ *Absolute upper-left X: *//p')
    wy=$(echo "$info" | sed -n 's/^ *Absolute upper-left Y: *//p')
}

# Nothing gives the window the focus without a window manager.
focus_qor() {
    timeout 5 xdotool windowfocus --sync "$win" || abort "could not give the window the focus"
    [ "$(xdotool getwindowfocus)" = "$win" ] || abort "focus is on $(xdotool getwindowfocus), not $win"
}

# wait_exit SECONDS: waits for QOR to end and sets exit_status; returns 1 if it didn't end.
wait_exit() {
    local end
    end=$(deadline "$1")
    while kill -0 "$qor_pid" 2>/dev/null && [ "$(now)" -lt "$end" ]; do sleep 0.05; done
    kill -0 "$qor_pid" 2>/dev/null && return 1
    wait "$qor_pid"
    exit_status=$?
    qor_pid=
}

# start_load: one busy loop per processor, ended by xlib_cleanup (or stop_load).
start_load() {
    local i
    for i in $(seq "$(nproc)"); do
        sh -c 'while :; do :; done' &
        load_pids+=" $!"
    done
}
stop_load() {
    local pid
    for pid in $load_pids; do stop_pid "$pid"; done
    load_pids=
}

# check_shot SHOT EXPECTED [report]: looks up every point of EXPECTED (from curve_pixels) in SHOT
# and returns 0 when each "on" point is red and no "off" or "gone" point is.
check_shot() {
    local shot=$1 expected=$2 report=${3:-} kinds=() fmt='' k x y note
    while read -r k x y note; do
        [ "$k" = size ] && continue
        kinds+=("$k")
        fmt+="%[fx:round(255*p{$((x + wx)),$((y + wy))}.r)] %[fx:round(255*p{$((x + wx)),$((y + wy))}.g)] %[fx:round(255*p{$((x + wx)),$((y + wy))}.b)]\n"
    done <"$expected"
    local colours i=0 r g b red wrong=0
    colours=$(convert "$shot" -format "$fmt" info:) || return 1
    while read -r r g b; do
        red=0
        [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && red=1
        if { [ "${kinds[i]}" = on ] && [ $red -eq 0 ]; } || { [ "${kinds[i]}" != on ] && [ $red -eq 1 ]; }; then
            wrong=$((wrong + 1))
        fi
        i=$((i + 1))
    done <<<"$colours"
    [ "$i" -eq "${#kinds[@]}" ] || return 1
    [ -n "$report" ] && [ $wrong -gt 0 ] && echo "  $(basename "$shot"): $wrong of $i points wrong against $(basename "$expected")"
    [ $wrong -eq 0 ]
}

screenshot() { import -window root "$1" 2>>"$out/import.log"; }

# await_curve NAME [SECONDS]: screenshots until the screen matches NAME.txt; 1 if it never did.
await_curve() {
    local name=$1 end
    end=$(deadline "${2:-10}")
    while :; do
        screenshot "$out/$name.png" && check_shot "$out/$name.png" "$out/$name.txt" && return 0
        [ "$(now)" -lt "$end" ] || break
        kill -0 "$qor_pid" 2>/dev/null || abort "qor exited while waiting for $name"
        sleep 0.1
    done
    check_shot "$out/$name.png" "$out/$name.txt" report
    return 1
}
