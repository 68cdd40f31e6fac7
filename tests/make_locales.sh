#!/usr/bin/env bash
# make_locales.sh DIR LOCALE...: compiles each locale (e.g. de_DE.UTF-8) into DIR, for the tests
# to run under with LOCPATH=DIR; the system's own list of locales is left alone. A locale that
# can't be made fails, so its tests never pass without it.
set -euo pipefail
dir=$1
shift
mkdir -p "$dir"
for name in "$@"; do
    [ -f "$dir/$name/LC_NUMERIC" ] && continue
    if ! localedef -i "${name%%.*}" -f "${name#*.}" "$dir/$name" 2>"$dir/$name.log"; then
        # localedef warns about some locales' data yet writes them; only a missing one fails
        if [ ! -f "$dir/$name/LC_NUMERIC" ]; then
            cat "$dir/$name.log" >&2
            echo "make_locales: cannot make $name (is Debian's 'locales' package installed?)" >&2
            exit 1
        fi
    fi
    rm -f "$dir/$name.log"
    # glibc looks the codeset up normalised too (de_DE.utf8)
    norm=${name%%.*}.$(echo "${name#*.}" | tr -d '-' | tr '[:upper:]' '[:lower:]')
    [ "$norm" = "$name" ] || ln -sfn "$name" "$dir/$norm"
done
echo "locales in $dir: $*"
