# The static Qts for Windows, built once per machine from Debian's own source
# packages and kept in a cache folder outside the clone: Qt 6 for the 64-bit
# program (Windows 10 and 11), Qt 5.15, the last Qt for Windows 7 and 32-bit
# Windows, for the 32-bit program. Both sources are pinned to exact versions of
# Debian 12, fetched from that release whatever Debian builds them, so the
# programs are the same on every build machine.

QT6_SOURCE_PACKAGE=qt6-base
QT6_SOURCE_VERSION=6.4.2+dfsg-10
QT5_SOURCE_PACKAGE=qtbase-opensource-src
QT5_SOURCE_VERSION=5.15.8+dfsg-11+deb12u3
QT_SOURCE_RELEASE=bookworm
WINDOWS_QT_CACHE=$(cache_dir)

# What neither the program nor Qt's tools use: examples, tests and modules.
QT6_UNUSED_MODULES=(
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
)
# Qt's own copies of the libraries it uses, never the system's: Windows has
# none of them, and the host build needs none of their -dev packages.
QT6_OWN_LIBRARIES=(
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# The widgets, dialogs and formats nobody here uses, by their feature names,
# the same in both Qts: the builds of these Qts are the longest step of a cold
# scripts/test, and each feature left out is code not compiled.
QT_UNUSED_FEATURES=(graphicsview mdiarea calendarwidget printdialog printpreviewwidget colordialog
                    fontdialog filedialog wizard undoview columnview textodfwriter
                    textmarkdownreader textmarkdownwriter gif jpeg)

# Only what the program and its tests use, optimised for size, which compiles
# faster. Tablet events and zstd do not build from Debian's trimmed source;
# Direct2D stays on, the link needs it.
QT6_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DFEATURE_optimize_size=ON
    -DBUILD_SHARED_LIBS=OFF
    "${QT6_UNUSED_MODULES[@]}"
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_zstd=OFF
    "${QT6_OWN_LIBRARIES[@]}"
)

# The Linux Qt 6 whose tools (moc, rcc, uic and the rest) the cross build runs,
# when the system's Qt is of another version: only the modules that carry
# those tools, with nothing the tools do not need. Debian 13's zstd package
# brings in CMake's Threads target where this Qt cannot take it over, so zstd
# is not even looked for.
QT6_HOST_OPTIONS=(
    -DCMAKE_DISABLE_FIND_PACKAGE_zstd=ON
    -DCMAKE_BUILD_TYPE=Release
    -DFEATURE_optimize_size=ON
    "${QT6_UNUSED_MODULES[@]}"
    -DFEATURE_printsupport=OFF
    -DFEATURE_testlib=OFF
    -DFEATURE_xcb=OFF
    -DFEATURE_xlib=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_glib=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_fontconfig=OFF
    "${QT6_OWN_LIBRARIES[@]}"
)

# Qt 5.15 with qmake's configure, the same trimming: Network and Xml too, which
# Qt 5 builds unless told. Debian's source leaves out the tablet library the
# Windows plugin needs unless tablet events are off. Qt builds its own host
# tools from this source. The program links the Windows platform plugin alone:
# not the Direct2D one (a second compile of the whole Windows plugin), nor
# FreeType, which only the minimal and offscreen plugins would use. Precompiled
# headers, as Qt 6 uses them, take a third off the build.
QT5_OPTIONS=(
    -opensource -confirm-license -release -static -static-runtime -optimize-size
    -xplatform win32-g++ -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -no-openssl -no-zstd -no-direct2d -no-freetype -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz
    -no-feature-tabletevent -no-feature-sql -no-feature-concurrent -no-feature-network
    -no-feature-xml
)
for feature in "${QT_UNUSED_FEATURES[@]}"; do
    QT6_OPTIONS+=("-DFEATURE_$feature=OFF")
    QT5_OPTIONS+=("-no-feature-$feature")
done
unset feature

# Sets WINDOWS_QT to the folder of the static Qt MAJOR (6 or 5) and
# QT_SOURCE_VERSION to its Debian source version, building it first when the
# cache does not hold a finished one for this source, these options, the
# toolchain and our patch. Call it directly, never inside $(...) or a
# condition: there bash would ignore a failing step and carry on.
ensure_windows_qt() {
    local major=$1 root package toolchain patch key prefix arch compiler host=""
    local -a options
    root=$(project_root)
    patch=$root/packaging/windows/qt$major-windows.patch
    if [ "$major" = 6 ]; then
        ensure_host_qt6
        package=$QT6_SOURCE_PACKAGE QT_SOURCE_VERSION=$QT6_SOURCE_VERSION arch=win64
        toolchain=$root/cmake/windows/mingw-w64-x86_64.cmake compiler=x86_64-w64-mingw32-g++-posix
        options=("${QT6_OPTIONS[@]}")
        # Built against host tools of our own, it keeps their path: another Qt.
        [ "$QT6_HOST" = /usr ] || host=" host tools $QT6_HOST"
    else
        package=$QT5_SOURCE_PACKAGE QT_SOURCE_VERSION=$QT5_SOURCE_VERSION arch=win32
        toolchain=$root/cmake/windows/mingw-w64-i686.cmake compiler=i686-w64-mingw32-g++-posix
        options=("${QT5_OPTIONS[@]}")
    fi
    # The compiler and MinGW-w64's runtime are inputs like the source: a Qt
    # built by another of either is not used.
    key=$( (echo "$QT_SOURCE_VERSION ${options[*]}$host"; toolchain_version "$compiler"
            cat "$toolchain" "$patch") |
        sha256sum | cut -c1-12)
    prefix=$WINDOWS_QT_CACHE/qt-${QT_SOURCE_VERSION}-$arch-$key
    WINDOWS_QT=$prefix
    # Only a Qt whose install finished and was found usable is marked complete.
    ! qt_built "$prefix" || return 0

    local start=$SECONDS work=$WINDOWS_QT_CACHE/work-$key
    echo "Building a static Qt $major for Windows into $prefix (once per machine)"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    fetch_qt_source "$work" "$package" "$QT_SOURCE_VERSION"
    patch -d "$work/src" -p1 --forward --batch < "$patch" > "$work/patch.log" 2>&1 ||
        fail "$patch does not apply to Qt $QT_SOURCE_VERSION:" "$work/patch.log"
    if [ "$major" = 6 ]; then
        build_qt6 "$work" "$prefix" "$toolchain" "${options[@]}"
    else
        build_qt5 "$work" "$prefix" "$toolchain" "${options[@]}"
    fi
    # The Qt describes itself for the notices: its source and that source's
    # copyright statement.
    echo "$package $QT_SOURCE_VERSION" > "$prefix/debian-source"
    cp "$work/src/debian/copyright" "$prefix/debian-copyright"
    check_windows_qt "$major" "$prefix"
    touch "$prefix/.complete"
    release_qt_build
    rm -rf "$work"
    echo "Static Qt $major for Windows built in $((SECONDS - start)) s"
}

# Sets QT6_HOST (and QT6_HOST_CMAKE, its CMake packages) to the Linux Qt whose
# tools build Qt 6 for Windows and the program against it: moc's output and the
# rest must be of the source's own version. The system's Qt where it is that
# version (Debian 12); elsewhere (Debian 13 has 6.8) one built once from the
# same source into the cache folder, kept and checked like the Windows Qts.
ensure_host_qt6() {
    local system key prefix start=$SECONDS work
    system=$(dpkg-query -W -f='${Version}' qt6-base-dev 2> /dev/null || true)
    if [ "${system%%+*}" = "${QT6_SOURCE_VERSION%%+*}" ]; then
        QT6_HOST=/usr QT6_HOST_CMAKE=/usr/lib/x86_64-linux-gnu/cmake
        return 0
    fi
    key=$(echo "$QT6_SOURCE_VERSION ${QT6_HOST_OPTIONS[*]} $(toolchain_version g++)" |
        sha256sum | cut -c1-12)
    prefix=$WINDOWS_QT_CACHE/qt-${QT6_SOURCE_VERSION}-host-$key
    QT6_HOST=$prefix QT6_HOST_CMAKE=$prefix/lib/cmake
    ! qt_built "$prefix" || return 0

    work=$WINDOWS_QT_CACHE/work-host-$key
    echo "The system's Qt is ${system:-missing}: building Qt $QT6_SOURCE_VERSION's host tools" \
        "into $prefix (once per machine)"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    fetch_qt_source "$work" "$QT6_SOURCE_PACKAGE" "$QT6_SOURCE_VERSION"
    cmake_build_qt "$work" -DCMAKE_INSTALL_PREFIX="$prefix" "${QT6_HOST_OPTIONS[@]}"
    local tool
    for tool in moc rcc uic; do
        [ -x "$prefix/libexec/$tool" ] || fail "The host Qt in $prefix has no $tool"
    done
    touch "$prefix/.complete"
    release_qt_build
    rm -rf "$work"
    echo "Qt $QT6_SOURCE_VERSION's host tools built in $((SECONDS - start)) s"
}

# qt_built PREFIX: whether the Qt in PREFIX is complete, after waiting for a
# build of it that another process is making: scripts/test builds the Qts beside
# its other passes while scripts/windows already asks for the first one. When
# it is not complete, the caller holds the build's lock (qt_build_lock, the
# lock file's descriptor) and builds it, then calls release_qt_build.
qt_built() {
    [ ! -f "$1/.complete" ] || return 0
    mkdir -p "$(dirname "$1")"
    exec {qt_build_lock}> "$1.lock"
    if ! flock -n "$qt_build_lock"; then
        echo "Waiting for the build of $1 beside this one"
        flock "$qt_build_lock"
    fi
    [ -f "$1/.complete" ] || return 1
    release_qt_build
}
release_qt_build() {
    exec {qt_build_lock}>&-
}

# The version of a compiler and of the C runtime it links, on one line.
toolchain_version() {
    local runtime=libc6-dev
    [[ $1 != *mingw32* ]] || runtime=mingw-w64-common
    echo "$("$1" -dumpfullversion) $(dpkg-query -W -f='${Version}' "$runtime")"
}

# build_qt6 WORK PREFIX TOOLCHAIN OPTION...: Qt 6 with CMake, its host tools
# those of QT6_HOST.
build_qt6() {
    local work=$1 prefix=$2 toolchain=$3
    shift 3
    cmake_build_qt "$work" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH="$QT6_HOST" -DQT_HOST_PATH_CMAKE_DIR="$QT6_HOST_CMAKE" "$@"
}

# qt_step WHAT LOG COMMAND...: one step of a Qt's build, its output in LOG:
# says how long it took, and stops with the log's telling part if it fails.
qt_step() {
    local what=$1 log=$2 start=$SECONDS
    shift 2
    "$@" > "$log" 2>&1 ||
        fail "Qt's $what failed:" <(grep -B2 -A20 -m3 "FAILED\|Error\|error:" "$log" || tail -n 40 "$log")
    echo "  Qt's $what: $((SECONDS - start)) s"
}

# cmake_build_qt WORK OPTION...: configures, builds and installs the Qt 6 source
# in WORK/src.
cmake_build_qt() {
    local work=$1
    shift
    # Built once and kept whole: the compiler cache would only fill up.
    qt_step "configure step" "$work/configure.log" \
        env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER \
        cmake -S "$work/src" -B "$work/build" -G Ninja "$@"
    qt_step build "$work/build.log" cmake --build "$work/build"
    qt_step install "$work/install.log" cmake --install "$work/build"
}

# build_qt5 WORK PREFIX TOOLCHAIN OPTION...: Qt 5 with its configure and make.
# Qt 5 calls $CROSS_COMPILE followed by gcc, g++, ar and so on: a folder of
# links gives it the compilers the toolchain file names (the posix thread
# model, as for the program) and the binary tools.
build_qt5() {
    local work=$1 prefix=$2 toolchain=$3 tool
    shift 3
    mkdir -p "$prefix/cross"
    for tool in ar ranlib strip windres objcopy nm ld; do
        ln -sf "/usr/bin/i686-w64-mingw32-$tool" "$prefix/cross/i686-w64-mingw32-$tool"
    done
    ln -sf /usr/bin/i686-w64-mingw32-gcc-posix "$prefix/cross/i686-w64-mingw32-gcc"
    ln -sf /usr/bin/i686-w64-mingw32-g++-posix "$prefix/cross/i686-w64-mingw32-g++"
    mkdir -p "$work/build"
    # Configure builds qmake with make: on every core too.
    qt_step "configure step" "$work/configure.log" env -C "$work/build" MAKEFLAGS=-j"$CMAKE_BUILD_PARALLEL_LEVEL" \
        "$work/src/configure" -prefix "$prefix" \
        -device-option CROSS_COMPILE="$prefix/cross/i686-w64-mingw32-" "$@"
    qt_step build "$work/build.log" make -C "$work/build" -j"$CMAKE_BUILD_PARALLEL_LEVEL"
    qt_step install "$work/install.log" make -C "$work/build" install
}

# check_windows_qt MAJOR PREFIX: stops the script unless PREFIX holds what the
# program and its suites link: the package configuration, the static modules
# and the Windows platform and print plugins.
check_windows_qt() {
    local major=$1 prefix=$2 file
    local -a files
    if [ "$major" = 6 ]; then
        files=(lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6/qt.toolchain.cmake
               plugins/platforms/libqwindows.a)
    else
        files=(lib/cmake/Qt5/Qt5Config.cmake plugins/platforms/libqwindows.a
               plugins/printsupport/libwindowsprintersupport.a bin/moc bin/rcc)
    fi
    for file in "${files[@]}" debian-source debian-copyright lib/libQt${major}Core.a lib/libQt${major}Gui.a \
                lib/libQt${major}Widgets.a lib/libQt${major}PrintSupport.a lib/libQt${major}Test.a; do
        [ -s "$prefix/$file" ] || fail "The Windows Qt in $prefix has no $file"
    done
}

# fetch_qt_source DIR PACKAGE VERSION: unpacks Debian's source of a Qt into
# DIR/src, from the release that carries it. The source list lives with its
# package lists in the cache folder: the system's APT configuration and lists
# are left alone.
fetch_qt_source() {
    local dir=$1 package=$2 version=$3 apt=$WINDOWS_QT_CACHE/apt
    rm -rf "$apt"
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache"
    : > "$apt/sources.list"
    write_source_list "$apt/sources.list.d"
    # The cache folder is root's: APT's download user could not write there, so
    # the downloads run as root, as APT would do anyway after a warning.
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list"
                   -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                   -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
                   -o "APT::Sandbox::User=root")
    with_mirror_retries "$apt/lists" apt-get "${options[@]}" update -qq
    (cd "$dir" && apt-get "${options[@]}" source -qq --download-only "$package=$version")
    dpkg-source -x "$dir"/*.dsc "$dir/src" > /dev/null
}

# Writes a deb-src list of QT_SOURCE_RELEASE into DIR, on the mirrors the
# system's own list names: the main archive and the security archive.
write_source_list() {
    local dir=$1 main security
    read -r main security <<< "$(debian_archives)"
    [ -n "$main" ] || exit 1
    {
        echo "Types: deb-src"
        echo "URIs: $main"
        echo "Suites: $QT_SOURCE_RELEASE $QT_SOURCE_RELEASE-updates"
        echo "Components: main"
        echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        if [ -n "${security:-}" ]; then
            echo
            echo "Types: deb-src"
            echo "URIs: $security"
            echo "Suites: $QT_SOURCE_RELEASE-security"
            echo "Components: main"
            echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        fi
    } > "$dir/debian-src.sources"
}
