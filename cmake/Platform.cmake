# The one place that decides what differs between the platforms the program is
# built for: Debian-family Linux, and 64-bit Windows cross-built with MinGW-w64.
# The rest of the tree reads these variables and never tests the platform itself.

if(WIN32)
  # Qt's native print support: the Windows default printer through the spooler.
  set(QUILLMERE_PRINTING native)
else()
  # The document goes to CUPS through its API, so every answer can be checked.
  set(QUILLMERE_PRINTING cups)
endif()
