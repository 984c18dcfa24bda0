# The one place that decides what differs between the platforms the program is
# built for: Debian-family Linux, and Windows cross-built with MinGW-w64 and
# checked under Wine, 64-bit for Windows 10 and 11 and 32-bit for Windows 7 SP1
# and later. The rest of the tree reads these variables and never tests the
# platform itself; window_kit/toolkit.h is the one header where the code must
# differ between the two Qts.

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Qt 6 needs 64-bit Windows 10: the 32-bit program is built on Qt 5.15, the
  # last Qt for Windows 7 and 32-bit Windows. Our own Windows code is compiled
  # for Windows 7, so a newer function of ours fails at compile time.
  set(QUILLMERE_QT_MAJOR 5)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601)
  set(QUILLMERE_QT_TRANSLATION_PACKAGE qttranslations5-l10n)
  set(QUILLMERE_WINDOWS_BITS 32)
else()
  set(QUILLMERE_QT_MAJOR 6)
  set(QUILLMERE_QT_TRANSLATION_PACKAGE qt6-translations-l10n)
  set(QUILLMERE_WINDOWS_BITS 64)
endif()
# Qt's Chinese texts, from the Debian package of the same Qt major version.
set(QUILLMERE_QT_TRANSLATION /usr/share/qt${QUILLMERE_QT_MAJOR}/translations/qtbase_zh_CN.qm)

# Where the test programs run: natively, under Wine, or under node.
set(QUILLMERE_TESTS_RUN_UNDER native)
set(QUILLMERE_WEB OFF)
if(EMSCRIPTEN)
  # The phone page: the engine in WebAssembly, its suites under node, the page
  # in real browsers. No window, no printer of our own.
  set(QUILLMERE_WEB ON)
  set(QUILLMERE_TESTS_RUN_UNDER node)
  set(QUILLMERE_LINUX_TESTS OFF)
elseif(WIN32)
  set(QUILLMERE_TESTS_RUN_UNDER wine)
  # Qt's native print support: the Windows default printer through the spooler,
  # and the spooler's own reasons when it fails.
  set(QUILLMERE_PRINTING native)
  set(QUILLMERE_SYSTEM_REASON system_reason_windows.cpp)
  set(QUILLMERE_SYSTEM_REASON_LIBS winspool)
  # Windows has no display variable to look for: a desktop is always there.
  set(QUILLMERE_DISPLAY_CHECK OFF)
  # The icon build tool cannot run on the build machine: the window icon comes
  # from the PNGs, and Explorer's from the exe's icon resource.
  set(QUILLMERE_ICON_PIXELS OFF)
  set(QUILLMERE_ICON_RESOURCE ${PROJECT_SOURCE_DIR}/packaging/windows/quillmere.ico)
  # Some suites are Linux's own: the locale test switches POSIX locales, the
  # end-to-end print test needs a CUPS scheduler, the start without a display
  # and the accessibility, high-DPI and hostile-input suites check the X11 build.
  set(QUILLMERE_LINUX_TESTS OFF)
  # The window suites run on the real Windows platform (under Wine, on an X
  # server): the offscreen one finds no fonts on Windows.
  set(QUILLMERE_TEST_PLATFORM windows)
  # A Windows installer made with NSIS.
  set(QUILLMERE_PACKAGE nsis)
  # The exe, its licence and notices side by side in the installation folder.
  set(QUILLMERE_INSTALL_BINDIR .)
  # One self-contained exe: the C++ runtime, libgcc and winpthreads linked in;
  # a release carries no symbols (half the size). Its PE header carries no
  # link time, so the same tree links to the same bytes.
  add_link_options(-static $<$<CONFIG:Release>:-s> -Wl,--no-insert-timestamp)
else()
  # The document goes to CUPS through its API, so every answer can be checked;
  # CUPS gives its own reasons.
  set(QUILLMERE_PRINTING cups)
  set(QUILLMERE_SYSTEM_REASON system_reason_none.cpp)
  # Without DISPLAY or WAYLAND_DISPLAY the toolkit would abort: say so first.
  set(QUILLMERE_DISPLAY_CHECK ON)
  # The icon's pixels are compiled in, so starting decodes no image file.
  set(QUILLMERE_ICON_PIXELS ON)
  set(QUILLMERE_LINUX_TESTS ON)
  set(QUILLMERE_TEST_PLATFORM offscreen)
  set(QUILLMERE_INSTALL_BINDIR bin)
  set(QUILLMERE_PACKAGE deb)
endif()

# quillmere_add_resources(TARGET NAME PREFIX path BASE dir FILES file...): the
# files compiled into TARGET as the resource NAME, under PREFIX, named by their
# paths below BASE. Qt 5 knows only .qrc files; in a static library the code
# that reads the resource initialises it (Q_INIT_RESOURCE(NAME)), since the
# linker drops an object nothing refers to.
function(quillmere_add_resources target name)
  cmake_parse_arguments(ARG "" "PREFIX;BASE" "FILES" ${ARGN})
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${name}.qrc)
  set(entries "")
  foreach(file IN LISTS ARG_FILES)
    file(RELATIVE_PATH alias ${ARG_BASE} ${file})
    string(APPEND entries "    <file alias=\"${alias}\">${file}</file>\n")
  endforeach()
  file(CONFIGURE OUTPUT ${qrc} CONTENT
       "<RCC>\n  <qresource prefix=\"${ARG_PREFIX}\">\n${entries}  </qresource>\n</RCC>\n")
  # Format 1 stores no file times: the resource is the same bytes whenever the
  # tree was checked out.
  qt_add_resources(sources ${qrc} OPTIONS --format-version 1)
  target_sources(${target} PRIVATE ${sources})
endfunction()
