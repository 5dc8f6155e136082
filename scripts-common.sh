# Shared by run.sh and test.sh: install the Debian packages the build needs (and Qt's own Polish
# translations, which the program loads at start), then configure and build.
OSTOJA_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libqt6sql6-ibase
                 firebird3.0-server-core libfbclient2 firebird-dev firebird3.0-utils libcrypto++-dev
                 qt6-translations-l10n poppler-utils)

ostoja_install_packages() {
    local missing=()
    for p in "${OSTOJA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

ostoja_build() {
    local dir="$1"
    if [ ! -f "$dir/build.ninja" ]; then
        # A compiler cache, where the machine has one, makes rebuilds of other checkouts cheap.
        local launcher=()
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
