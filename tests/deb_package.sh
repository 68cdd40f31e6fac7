#!/usr/bin/env bash
# The Debian package as a user gets it: built by packaging/build-deb.sh in a scratch directory,
# lintian clean (no error, no warning), holding exactly the files it should with the right
# owners and modes, its metadata valid (AppStream, desktop entry, manual page), and the
# packaged program, unpacked on its own, showing the curve on an X server of its own.
#
#   deb_package.sh SOURCE_DIR SCRATCH_DIR
set -u
src=$1 work=$2
StartWait=20   # seconds for Xvfb and the window to come up and paint the curve

mkdir -p "$work"
# pass, failed, abort, deadline, start_xvfb; every process it starts ends with the script
out=$work qor=
. "$(dirname "$0")/xlib.sh"
require_tools dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate man file Xvfb xdotool \
    import convert

rm -rf "$work/root" "$work"/*.png "$work"/*.log "$work"/*.txt

# --- build -----------------------------------------------------------------------------------------

deb=$("$src/packaging/build-deb.sh" "$work/build" 2>"$work/build.log") || {
    tail -n 30 "$work/build.log"
    abort "packaging/build-deb.sh failed"
}
[ -f "$deb" ] || abort "no package built (see $work/build.log)"
arch=$(dpkg --print-architecture)
version=$(sed -n 's/^project(QOR VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
[ "$(basename "$deb")" = "qor_${version}_${arch}.deb" ] && pass "built $(basename "$deb")" \
    || failed "package named $(basename "$deb"), expected qor_${version}_${arch}.deb"

# --- lintian -------------------------------------------------------------------------------------

lintian --info --pedantic --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1
if grep -q '^[EW]: ' "$work/lintian.txt"; then
    failed "lintian reports errors or warnings:"
    cat "$work/lintian.txt"
else
    pass "lintian: no error or warning"
    grep '^[A-Z]: ' "$work/lintian.txt"   # any remark of lower rank
fi

# --- control fields ----------------------------------------------------------------------------------

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qor ] || failed "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || failed "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || failed "Architecture: $(field Architecture)"
[ -n "$(field Section)" ] && [ "$(field Priority)" = optional ] || failed "Section/Priority: $(field Section)/$(field Priority)"
[[ $(field Maintainer) == *\<*@*\> ]] || failed "Maintainer: $(field Maintainer)"
depends=$(field Depends)
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || failed "Depends lacks $dep: $depends"
done
pass "control fields; Depends: $depends"

# --- contents ----------------------------------------------------------------------------------------

# Every file with its mode and owner; directories are checked apart.
dpkg-deb -c "$deb" >"$work/contents.txt" || abort "dpkg-deb -c failed"
files=$(awk '$1 !~ /^d/ { print $1, $2, $6 }' "$work/contents.txt" | sort)
expected=$(sort <<EOF
-rwxr-xr-x root/root ./usr/bin/qor
-rw-r--r-- root/root ./usr/share/applications/qor.desktop
-rw-r--r-- root/root ./usr/share/doc/qor/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/qor/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/qor.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/qor.svg
-rw-r--r-- root/root ./usr/share/man/man1/qor.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/org.example.qor.metainfo.xml
EOF
)
if [ "$files" = "$expected" ]; then
    pass "the package holds exactly the $(wc -l <<<"$expected") files expected"
else
    failed "contents differ (< found, > expected):"
    diff <(echo "$files") <(echo "$expected")
fi
baddirs=$(awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")' "$work/contents.txt")
[ -z "$baddirs" ] && pass "directories are root-owned, mode 0755" || failed "directories: $baddirs"

dpkg-deb -x "$deb" "$work/root" || abort "dpkg-deb -x failed"
root=$work/root
file -b "$root/usr/bin/qor" | grep -q 'ELF.*, stripped' && pass "the program is stripped" \
    || failed "the program: $(file -b "$root/usr/bin/qor")"

# --- metadata ----------------------------------------------------------------------------------------

metainfo=$root/usr/share/metainfo/org.example.qor.metainfo.xml
out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)
[ $? -eq 0 ] && ! grep -q '^[EWIP]: ' <<<"$out" && pass "appstreamcli validate --no-net --pedantic: $out" \
    || failed "appstreamcli validate: $out"
grep -q "<release version=\"$version\"" "$metainfo" || failed "the metainfo's latest release is not $version"
grep -qx '  <launchable type="desktop-id">qor.desktop</launchable>' "$metainfo" \
    || failed "the metainfo does not launch qor.desktop"

out=$(desktop-file-validate "$root/usr/share/applications/qor.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] && pass "desktop-file-validate: clean" || failed "desktop-file-validate: $out"

page=$root/usr/share/man/man1/qor.1.gz
out=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >"$work/man.txt")
[ -z "$out" ] && pass "man -l renders qor(1) without warnings" || failed "man -l warns: $out"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS MOUSE; do
    grep -q "^$section" "$work/man.txt" || failed "the manual page has no $section section"
done
[ "$(od -An -tu4 -j4 -N4 "$page" | tr -d ' ')" = 0 ] && pass "the manual page's gzip has no time stamp" \
    || failed "the manual page's gzip keeps a time stamp (not reproducible)"

# --- the packaged program ----------------------------------------------------------------------------

unset WAYLAND_DISPLAY QT_QPA_PLATFORM XAUTHORITY
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

start_xvfb 1280x720x24

"$root/usr/bin/qor" >"$work/qor.log" 2>&1 &
qor_pid=$!
# Pure red pixels in the window at its designed place (192,125; no window manager moves it)
# left of the legend, whose sample lines are red too: the curve, 3 pixels wide, gives well over
# a thousand.
red_pixels() {
    import -window root "$work/screen.png" 2>>"$work/import.log" || { echo 0; return; }
    convert "$work/screen.png" -crop 900x540+192+125 -format %c histogram:info:- |
        awk '/#FF0000 / { n += $1 } END { print n + 0 }'
}
end=$(deadline "$StartWait")
while :; do
    red=$(red_pixels)
    [ "$red" -gt 1000 ] && break
    kill -0 "$qor_pid" 2>/dev/null || { cat "$work/qor.log"; abort "the packaged qor exited"; }
    [ "$(now)" -lt "$end" ] || break
    sleep 0.2
done
[ "$red" -gt 1000 ] && pass "the packaged /usr/bin/qor shows the curve ($red red pixels)" \
    || { failed "the packaged /usr/bin/qor shows no curve ($red red pixels; see $work/screen.png)"; cat "$work/qor.log"; }

[ "$fail" -eq 0 ] && echo "PASS" || echo "FAIL"
exit "$fail"
