# Shared by the scripts in this folder: the Debian packages the project needs and
# a way to install the missing ones.

# To build and run the calculator.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libcups2-dev qt6-translations-l10n
              fonts-noto-cjk)
# To build and run every test, on top of the above.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth locales cups cups-client poppler-utils
               dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 appstream)
# To cross-build the Windows program and installer and check them under Wine.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev googletest nsis wine wine64 xvfb xauth
                  xdotool cups cups-client)
# For the sanitizer build and the fuzz targets.
CHECK_PACKAGES=(clang libclang-rt-dev clang-format git)

# Installs those of the named packages that are not installed yet. Needs root
# (or sudo) only when something is missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The top of the source tree.
project_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd
}
