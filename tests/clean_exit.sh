#!/usr/bin/env bash
# A whole run of the program (clean_exit.cpp: start, every button, zoom, pan, restore, close)
# ends with status 0. With VALGRIND set to valgrind's path it runs under memcheck, which must
# find no invalid read or write and no block definitely lost.
#
#   clean_exit.sh PROGRAM [VALGRIND]
set -u
program=$1 valgrind=${2:-}
export QT_QPA_PLATFORM=offscreen

if [ -z "$valgrind" ]; then
    "$program"
    rc=$?
    echo "exit status $rc"
    [ "$rc" -eq 0 ] || { echo "FAIL: expected exit status 0"; exit 1; }
    echo PASS
    exit 0
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# --errors-for-leak-kinds=definite: only blocks nothing points to any more count as errors;
# Qt keeps its caches reachable until exit, which is no leak.
"$valgrind" --tool=memcheck --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --error-exitcode=99 --num-callers=30 \
    --log-file="$log" "$program"
rc=$?
grep -E "ERROR SUMMARY|definitely lost|Invalid (read|write)" "$log"
echo "exit status $rc"
if [ "$rc" -ne 0 ]; then
    echo "FAIL: expected exit status 0 and no memcheck errors; valgrind's log:"
    cat "$log"
    exit 1
fi
echo PASS
