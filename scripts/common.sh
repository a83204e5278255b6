# Shared set-up of run.sh and test.sh: Debian packages, configure, build.
# Sourced, not run.

# Debian packages the build, the program and the tests need.
VANTORRA_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev libjpeg-dev fonts-dejavu-core poppler-utils)

vantorra_install_packages() {
    local missing=()
    local p
    for p in "${VANTORRA_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These packages are missing and there is no sudo to install them: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# vantorra_build DIR [cmake options...]
vantorra_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log" >&2; return 1; }
    cmake --build "$dir" -j"$(nproc)"
}
