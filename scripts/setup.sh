# Shared by run.sh, test.sh and bench/run.sh: installs the Debian packages QOR needs (only what
# is missing, so it is quick when nothing is) and configures and builds a build directory.

# To build QOR.
# (qt6-tools-dev and qt6-l10n-tools: Qt Linguist's tools build the translations into the program)
QOR_BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxcb1-dev
                    qt6-tools-dev qt6-l10n-tools)
# To run it: the fonts the layout was designed with (metric-compatible), Qt's Wayland platform so
# a Wayland session runs it natively, and Qt's own translations for its dialogs.
QOR_RUN_PACKAGES=(fonts-liberation qt6-wayland qt6-translations-l10n)
# To test it: its own X servers and the tools that drive and look at them, valgrind, a Wayland
# compositor, the accessibility stack and a screen reader, locales, translation tools, and the
# checks of the install tree and the package.
QOR_TEST_PACKAGES=(xvfb xauth xdotool x11-utils x11-xserver-utils xclip imagemagick desktop-file-utils
                   valgrind weston locales at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi dbus
                   orca speech-dispatcher speech-dispatcher-audio-plugins libasound2-data
                   lintian appstream dpkg-dev file man-db)

# qor_setup [more packages...]: installs what building and running need, and the packages named.
qor_setup() {
    local missing=() p
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "No apt-get here: not installing packages; install by hand what scripts/setup.sh lists (Qt 6.4+ Widgets, CMake, a C++20 compiler, fonts-liberation)." >&2
        return 0
    fi
    for p in "${QOR_BUILD_PACKAGES[@]}" "${QOR_RUN_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    # sudo drops the environment: pass DEBIAN_FRONTEND through env, so no prompt stops the install
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qor_build DIR BUILD_TYPE [extra cmake options...]: configures DIR whenever its build files are
# missing or the options differ from the last configure that succeeded, so a failed or
# interrupted configure is redone on the next run; then builds.
qor_build() {
    local dir=$1 type=$2
    shift 2
    local options="-DCMAKE_BUILD_TYPE=$type $*" stamp="$dir/.qor-configured"
    if [ ! -f "$dir/CMakeCache.txt" ] || { [ ! -f "$dir/Makefile" ] && [ ! -f "$dir/build.ninja" ]; } \
        || [ "$(cat "$stamp" 2>/dev/null)" != "$options" ]; then
        local fresh=()
        # a cache left by a failed configure or other options may hold what made it fail
        [ -f "$dir/CMakeCache.txt" ] && fresh=(--fresh)
        rm -f "$stamp"
        cmake "${fresh[@]}" -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" || return 1
        printf '%s' "$options" >"$stamp"
    fi
    cmake --build "$dir" -j"$(nproc)"
}
