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

# Prints the folder of the Windows Qt, building it first when the cache does not
# hold one for this source version, these options, the toolchain file and our patch.
ensure_windows_qt() {
    local root toolchain patch key prefix
    root=$(project_root)
    toolchain=$root/cmake/windows/mingw-w64-x86_64.cmake
    patch=$root/packaging/windows/qt-windows-without-opengl.patch
    key=$( (echo "$QT_SOURCE_VERSION ${WINDOWS_QT_OPTIONS[*]}"; cat "$toolchain" "$patch") |
        sha256sum | cut -c1-12)
    prefix=$WINDOWS_QT_CACHE/qt-${QT_SOURCE_VERSION}-win64-$key
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return 0
    fi
    local start=$SECONDS work=$WINDOWS_QT_CACHE/work-$key
    echo "Building a static Qt for Windows into $prefix (once per machine)" >&2
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    fetch_qt_source "$work" >&2
    (cd "$work/src" && patch -p1 --quiet < "$patch") >&2
    cmake -S "$work/src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${WINDOWS_QT_OPTIONS[@]}" > "$work/configure.log" 2>&1 ||
        { tail -40 "$work/configure.log" >&2; return 1; }
    cmake --build "$work/build" -j2 > "$work/build.log" 2>&1 ||
        { grep -B2 -A20 -m3 "FAILED\|error:" "$work/build.log" >&2; return 1; }
    cmake --install "$work/build" > /dev/null
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "Static Qt for Windows built in $((SECONDS - start)) s" >&2
    echo "$prefix"
}

# Unpacks Debian's source of the Linux Qt into DIR/src, through a deb-src list of
# our own that names the same archive as the system's binary list.
fetch_qt_source() {
    local dir=$1 list=/etc/apt/sources.list.d/quillmere-deb-src.sources
    if [ ! -f "$list" ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$list"
        apt-get update -qq
    fi
    (cd "$dir" && apt-get source -qq --download-only "$QT_SOURCE_PACKAGE=$QT_SOURCE_VERSION" &&
        dpkg-source -x ./*.dsc src > /dev/null)
}
