#!/usr/bin/env bash
# cmake --install into a fresh prefix must give what a desktop needs: the program, a valid
# desktop entry that names it and the icon, the icon at every size in the hicolor theme, the
# manual page, the AppStream metadata and the copyright.
# Usage: install_tree.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail
cmake=$1 build=$2 prefix=$3
fail() { echo "install_tree: $*" >&2; exit 1; }

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/qor" ] || fail "no program at bin/qor"

entry=$prefix/share/applications/qor.desktop
[ -f "$entry" ] || fail "no desktop entry at share/applications/qor.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
else
    echo "install_tree: desktop-file-validate not found (package desktop-file-utils); entry not validated"
fi
grep -qx 'Exec=qor' "$entry" || fail "the entry does not start qor"
grep -qx 'Icon=qor' "$entry" || fail "the entry does not name the icon qor"

icons=$prefix/share/icons/hicolor
[ -f "$icons/scalable/apps/qor.svg" ] || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/qor.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    # width and height are the big-endian words at bytes 16 and 20 of a PNG (its IHDR chunk)
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
                    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$w $h" = "$size $size" ] || fail "$png is ${w}x${h}"
done

# What a user and a software centre read about it.
for f in share/man/man1/qor.1.gz share/metainfo/org.example.qor.metainfo.xml share/doc/qor/copyright; do
    [ -f "$prefix/$f" ] || fail "no $f"
done

# It is the real program: started without a display it says so and exits with 1.
rc=0
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/qor" 2>&1) || rc=$?
[ "$rc" -eq 1 ] && [[ $out == *"no display"* ]] || fail "installed qor: exit $rc, said: $out"

echo "install_tree: program, desktop entry, icons, manual page, metadata and copyright in place"
