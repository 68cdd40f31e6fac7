# Shared by run.sh, test.sh and bench/run.sh: installs the Debian packages QOR needs (only what
# is missing, so it is quick when nothing is) and configures and builds a build directory.

QOR_PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev fonts-liberation
              xvfb xauth xdotool x11-utils imagemagick desktop-file-utils)

qor_setup() {
    local missing=() p
    for p in "${QOR_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qor_build DIR BUILD_TYPE [extra cmake options...]
qor_build() {
    local dir=$1 type=$2
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@"
    fi
    cmake --build "$dir" -j"$(nproc)"
}
