# The one place that decides what differs between the platforms the program is
# built for: Debian-family Linux, and 64-bit Windows cross-built with MinGW-w64
# and checked under Wine. The rest of the tree reads these variables and never
# tests the platform itself.

if(WIN32)
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
  # a release carries no symbols (half the size).
  add_link_options(-static $<$<CONFIG:Release>:-s>)
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
