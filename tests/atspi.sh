#!/usr/bin/env bash
# Runs a check of the real program through the AT-SPI stack in a session bus of its own:
#   atspi.sh SCRIPT QOR OUTPUT_DIR [PROGRAM...]
# SCRIPT is a Python file for Debian's /usr/bin/python3 (where python3-pyatspi lives, not a
# python3 earlier on PATH); PROGRAMs are further commands it needs. Where something is missing
# the check says so and is skipped (exit 77), except in CI, where that is a failure.
set -u
script=$1 qor=$2 out=$3
shift 3

missing=
for tool in dbus-run-session Xvfb xdotool /usr/libexec/at-spi-bus-launcher "$@"; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
    2>/dev/null || missing="$missing python3-pyatspi(gir1.2-atspi-2.0)"
if [ -n "$missing" ]; then
    if [ "${CI:-}" = true ]; then
        echo "FAIL: missing:$missing (scripts/setup.sh installs them)"
        exit 1
    fi
    echo "SKIP: missing:$missing (scripts/setup.sh installs them)"
    exit 77
fi

mkdir -p "$out"
exec dbus-run-session -- /usr/bin/python3 "$script" "$qor" "$out"
