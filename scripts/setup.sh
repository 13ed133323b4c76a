# Sourced by the other scripts: makes sure the Debian packages the build
# needs are there. As root it installs what is missing; otherwise it names
# the packages and stops.

KZP_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
              libbenchmark-dev fonts-dejavu-core qt6-translations-l10n xvfb xauth xdotool x11-utils python3)
# Only for scripts/fuzz.sh (the KZP_FUZZ build).
KZP_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

kzp_missing_packages() {
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    echo "${missing[@]}"
}

kzp_ensure_packages() {
    local missing
    missing=$(kzp_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: $missing" >&2
        echo "Install them with: sudo apt-get install $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}
