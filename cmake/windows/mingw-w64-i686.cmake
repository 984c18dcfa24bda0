# Cross-compiling for 32-bit Windows (Windows 7 SP1 and later) with Debian's
# MinGW-w64, the posix thread model as for 64-bit. GCC computes with the x87
# unit on i686 unless told otherwise, with 80-bit intermediates that can change
# the last digit of a result: SSE2 arithmetic makes it compute as x86-64 does
# (every PC that runs Windows 7 has SSE2).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# The MinGW-w64 root, and the static Qt the program links (its folder in
# QUILLMERE_WINDOWS_QT), where packages and libraries are looked for.
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${QUILLMERE_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
