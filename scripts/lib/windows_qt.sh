# A static Qt for 64-bit Windows, built once per machine from Debian's own
# qtbase source package (the same version as the Linux Qt, whose tools serve as
# the host tools) and kept in a cache folder outside the clone.

QT_SOURCE_PACKAGE=qt6-base
QT_SOURCE_VERSION=6.4.2+dfsg-10
WINDOWS_QT_CACHE=${QUILLMERE_CACHE:-/var/cache/quillmere}

# Only what the program and its tests use: the build of this Qt is the longest
# step of a cold scripts/test, so the widgets, dialogs and formats nobody here
# uses are left out and the code is optimised for size, which compiles faster.
# Tablet events and zstd do not build from Debian's trimmed source; Direct2D
# stays on, the link needs it.
WINDOWS_QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DFEATURE_optimize_size=ON
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_graphicsview=OFF
    -DFEATURE_mdiarea=OFF
    -DFEATURE_calendarwidget=OFF
    -DFEATURE_printdialog=OFF
    -DFEATURE_printpreviewwidget=OFF
    -DFEATURE_colordialog=OFF
    -DFEATURE_fontdialog=OFF
    -DFEATURE_filedialog=OFF
    -DFEATURE_wizard=OFF
    -DFEATURE_undoview=OFF
    -DFEATURE_columnview=OFF
    -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_jpeg=OFF
)

# Sets WINDOWS_QT to the folder of the Windows Qt, building it first when the
# cache does not hold a finished one for this source version, these options, the
# toolchain file and our patch. Call it directly, never inside $(...) or a
# condition: there bash would ignore a failing step and carry on.
ensure_windows_qt() {
    local root toolchain patch key prefix
    root=$(project_root)
    toolchain=$root/cmake/windows/mingw-w64-x86_64.cmake
    patch=$root/packaging/windows/qt-windows.patch
    key=$( (echo "$QT_SOURCE_VERSION ${WINDOWS_QT_OPTIONS[*]}"; cat "$toolchain" "$patch") |
        sha256sum | cut -c1-12)
    prefix=$WINDOWS_QT_CACHE/qt-${QT_SOURCE_VERSION}-win64-$key
    WINDOWS_QT=$prefix
    # Only a Qt whose install finished and was found usable is marked complete.
    [ -f "$prefix/.complete" ] && return 0

    local start=$SECONDS work=$WINDOWS_QT_CACHE/work-$key
    echo "Building a static Qt for Windows into $prefix (once per machine)"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    fetch_qt_source "$work"
    patch -d "$work/src" -p1 --forward --batch < "$patch" > "$work/patch.log" 2>&1 ||
        fail "$patch does not apply to Qt $QT_SOURCE_VERSION:" "$work/patch.log"
    cmake -S "$work/src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${WINDOWS_QT_OPTIONS[@]}" > "$work/configure.log" 2>&1 ||
        fail "Qt's configure step failed:" "$work/configure.log"
    cmake --build "$work/build" -j2 > "$work/build.log" 2>&1 ||
        fail "Qt's build failed:" <(grep -B2 -A20 -m3 "FAILED\|error:" "$work/build.log")
    cmake --install "$work/build" > "$work/install.log" 2>&1 ||
        fail "Qt's install failed:" "$work/install.log"
    check_windows_qt "$prefix"
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "Static Qt for Windows built in $((SECONDS - start)) s"
}

# Stops the script with a message and the tail of a log.
fail() {
    echo "$1" >&2
    tail -n 40 "$2" >&2
    exit 1
}

# Stops the script unless PREFIX holds what the program and its suites link: the
# package configuration, the toolchain file, the static modules and the Windows
# platform plugin.
check_windows_qt() {
    local prefix=$1 file
    for file in lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6/qt.toolchain.cmake \
                lib/libQt6Core.a lib/libQt6Gui.a lib/libQt6Widgets.a lib/libQt6PrintSupport.a \
                lib/libQt6Test.a plugins/platforms/libqwindows.a; do
        [ -s "$prefix/$file" ] || { echo "The Windows Qt in $prefix has no $file" >&2; exit 1; }
    done
}

# Unpacks Debian's source of the Linux Qt into DIR/src. The source list names the
# same archive as the system's binary list, and it lives with its package lists
# in the cache folder: the system's APT configuration and lists are left alone.
fetch_qt_source() {
    local dir=$1 apt=$WINDOWS_QT_CACHE/apt
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
    apt-get "${options[@]}" update -qq
    (cd "$dir" && apt-get "${options[@]}" source -qq --download-only \
        "$QT_SOURCE_PACKAGE=$QT_SOURCE_VERSION")
    dpkg-source -x "$dir"/*.dsc "$dir/src" > /dev/null
}

# Writes the system's Debian archive as a deb-src list into DIR: its deb822 list,
# or else the deb lines of the one-line list. Stops when the system names no
# archive.
write_source_list() {
    local dir=$1 deb822=/etc/apt/sources.list.d/debian.sources oneline=/etc/apt/sources.list
    if [ -f "$deb822" ] && grep -q '^Types: deb$' "$deb822"; then
        sed 's/^Types: deb$/Types: deb-src/' "$deb822" > "$dir/debian-src.sources"
    elif [ -f "$oneline" ] && grep -q '^deb ' "$oneline"; then
        sed -n 's/^deb /deb-src /p' "$oneline" > "$dir/debian-src.list"
    else
        echo "Neither $deb822 nor $oneline names a Debian archive to fetch Qt's source from" >&2
        exit 1
    fi
}
