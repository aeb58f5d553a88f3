# Sourced by scripts/run, scripts/test and scripts/package: makes sure the build tools and
# libraries are installed (Debian packages only), then configures and
# builds one CMake preset. Nothing is downloaded at build time.
set -euo pipefail

KESTREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
KESTREL_PACKAGES=(cmake ninja-build g++ libgtest-dev libbenchmark-dev nlohmann-json3-dev libicu-dev libboost-dev
                  qt6-base-dev libgl-dev fonts-dejavu-core
                  # Qt's platform interface: window tests switch accessibility on
                  qt6-base-private-dev
                  # the window's pictures, drawn from SVG at build time
                  librsvg2-bin
                  # the installation tests' validators and file-type lookup
                  desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base
                  # the window driven in a virtual X server: input events, the
                  # clipboard, the accessibility bus and its Python bindings
                  xvfb xdotool xclip dbus-daemon at-spi2-core python3-pyatspi python3-xlib
                  # the style and lint gates
                  clang-format clang-tidy)

kestrel_install_packages() {
    local missing=()
    for pkg in "${KESTREL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq >&2
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
    else
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# kestrel_build PRESET: configure once, then build incrementally.
kestrel_build() {
    local preset="$1"
    cd "$KESTREL_ROOT"
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >&2
    fi
    cmake --build --preset "$preset" >&2
}
