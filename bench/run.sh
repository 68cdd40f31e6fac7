#!/usr/bin/env bash
# Benchmarks QOR against a bare Qt window and a window with one line of text, all in this run:
# start-up until the X server holds the first picture, and peak memory (on an Xvfb of its own
# that never resets), and the cost of one press (offscreen) in wall time and in instructions
# counted by callgrind. Prints the tables and writes them to bench/results.md.
#
#   bench/run.sh            (BENCH_ROUNDS=N for other than 21 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
qor_setup "${QOR_TEST_PACKAGES[@]}" libxdamage-dev
qor_build build-bench Release -DBUILD_TESTING=OFF -DQOR_BENCH=ON
bin=build-bench/bench
rounds=${BENCH_ROUNDS:-21}

tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# An X server of our own on a free display: Xvfb writes the number it took to fd 3. It keeps its
# state when its last client leaves (-noreset), as a desktop's server does; its root is black.
# Run as root, it and the timed programs take a higher priority, so that other work on the
# machine disturbs the timings less.
nice=()
[ "$(id -u)" -eq 0 ] && nice=(nice -n -10)
"${nice[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -br 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    grep -q '^[0-9]' "$tmp/display" 2>/dev/null && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
grep -q '^[0-9]' "$tmp/display" || { echo "Xvfb did not start" >&2; exit 1; }

echo "Start-up and memory: $rounds rounds after 2 warm-up rounds..." >&2
startup=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$(head -n1 "$tmp/display")" \
    "$bin/bench_startup" "$rounds" 2 "QOR=curve:build-bench/qor" "(a) bare=fill:$bin/bare_window:--stay" \
    "(b) text=text:$bin/text_window:--stay")

echo "Start-up: instructions (callgrind)..." >&2
# Instructions of the program's own process (not of a helper it may fork), in millions.
startup_ir() {
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$(head -n1 "$tmp/display")" \
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>"$tmp/cg.log" >/dev/null
    local pid
    pid=$(sed -n 's/^==\([0-9]*\)== Command:.*/\1/p' "$tmp/cg.log" | head -n1)
    sed -n "s/^==$pid== Collected : \([0-9]*\).*/\1/p" "$tmp/cg.log" | awk '{ printf "%.1f", $1 / 1e6 }'
}
qor_ir=$(startup_ir "$bin/qor_startup")
bare_ir=$(startup_ir "$bin/bare_window")
text_ir=$(startup_ir "$bin/text_window")
[ -n "$qor_ir" ] && [ -n "$bare_ir" ] && [ -n "$text_ir" ] || { cat "$tmp/cg.log" >&2; exit 1; }
startup_ir_row=$(awk -v q="$qor_ir" -v a="$bare_ir" -v b="$text_ir" \
    'BEGIN { printf "| start-up instructions (callgrind, one run), millions | %s | %s | %s | **%.2f** | **%.2f** |", q, a, b, q / a, q / b }')

echo "One press: wall time..." >&2
export QT_QPA_PLATFORM=offscreen
read -r _ press_us fill_us wall_ratio < <("$bin/bench_press" | grep '^wall')
paints=$("$bin/bench_press" --paints | awk '/^paints/ {print $2}')

echo "One press: instructions (callgrind)..." >&2
instructions() {  # instructions presses|fills: instructions per press or per fill
    local out n
    out=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null --collect-atstart=no \
        --toggle-collect="qor_bench_$1" "$bin/bench_press" --callgrind "$1" 2>"$tmp/cg.log")
    n=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$tmp/cg.log")
    [ -n "$n" ] || { cat "$tmp/cg.log" >&2; exit 1; }
    echo $((n / out))
}
press_ir=$(instructions presses)
fill_ir=$(instructions fills)
ir_ratio=$(awk -v a="$press_ir" -v b="$fill_ir" 'BEGIN { printf "%.1f", a / b }')

{
    echo "Measured $(date +%F) on $(nproc) cores, Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), by \`bench/run.sh\`."
    echo
    echo "$startup"
    echo "$startup_ir_row"
    echo
    echo "| one press (handler + chart repaint into an 841 × 457 image) | press | white fill of 841 × 457 | press / fill |"
    echo "|---|---|---|---|"
    echo "| wall time, µs (median of 5 × 1,000) | $press_us | $fill_us | **$wall_ratio** |"
    echo "| instructions (callgrind) | $press_ir | $fill_ir | **$ir_ratio** |"
    echo "| chart paints per press (on screen, offscreen platform) | $paints | | |"
} | tee bench/results.md
