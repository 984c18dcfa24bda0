# Shared by the scripts in this folder: the Debian packages the project needs and
# a way to install the missing ones.

# To build and run the calculator.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libcups2-dev qt6-translations-l10n
              fonts-noto-cjk)
# To build and run every test, on top of the above: the suites, the program on
# an X server driven like a person drives it, its clipboard and OCR of its
# picture, the accessibility bus, the private print scheduler.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth xdotool xclip tesseract-ocr
               tesseract-ocr-chi-sim locales cups cups-client poppler-utils dbus dbus-x11
               at-spi2-core python3-pyatspi gir1.2-atspi-2.0 appstream)
# To cross-build the Windows program and installer and check them under Wine:
# the printed page is rendered with Ghostscript and read back with OCR, in a
# TrueType Chinese face.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev googletest nsis wine wine64 xvfb xauth
                  xdotool xclip cups cups-client locales ghostscript tesseract-ocr
                  tesseract-ocr-chi-sim fonts-wqy-microhei fonts-dejavu-core imagemagick)
# For the sanitizer build and the fuzz targets.
CHECK_PACKAGES=(clang libclang-rt-dev clang-format git)

# Installs those of the named packages that are not installed yet. Needs root
# (or sudo) only when something is missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2> /dev/null | grep -q "ok installed" || missing+=("$pkg")
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
