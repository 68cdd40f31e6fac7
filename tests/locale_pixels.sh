#!/usr/bin/env bash
# locale_pixels.sh WINDOW_IMAGE LOCPATH OUTDIR LOCALE...: the designed window grabbed under C and
# under each locale must be the same pixel for pixel (its labels are whole numbers below 1,000).
# The zoomed and panned view is grabbed too, for people to look at (OUTDIR/*-zoomed.png).
set -euo pipefail
tool=$1 locpath=$2 out=$3
shift 3
mkdir -p "$out"
grab() {
    env LOCPATH="$locpath" LC_ALL="$1" LANG="$1" LANGUAGE= QT_QPA_PLATFORM=offscreen "$tool" "$2" ${3:-}
}
grab C "$out/C.png"
grab C "$out/C-zoomed.png" zoomed
status=0
for name in "$@"; do
    grab "$name" "$out/$name.png"
    grab "$name" "$out/$name-zoomed.png" zoomed
    differing=$(compare -metric AE "$out/C.png" "$out/$name.png" null: 2>&1 || true)
    if [ "$differing" != "0" ]; then
        echo "FAIL: the designed window under $name differs from C in $differing pixels" >&2
        status=1
    else
        echo "$name: the designed window is identical to C"
    fi
done
exit $status
