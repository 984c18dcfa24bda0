# WebAssembly for the phone page, with the emscripten Debian ships. Its own
# toolchain file does the work; what this one adds:
# - C++ exceptions, which emscripten turns off without a word: without them the
#   first run-time error would end the module instead of showing its message.
# - Node as the emulator the suites run under. Node 18 and later would fetch()
#   the .wasm by its file path and fail; without that fetch the loader reads it.
# - emscripten's JavaScript tools need acorn, which Debian keeps in
#   /usr/share/nodejs, where only Debian's own node looks by itself.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;NODE_PATH=/usr/share/nodejs;node;--no-experimental-fetch
    CACHE STRING "Runs a WebAssembly program of the build")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# - The smallest code (-Oz, with the preset's MinSizeRel) for the smallest
#   download: the whole page must stay small on a phone's network.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sALLOW_MEMORY_GROWTH=1")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-Oz")
set(CMAKE_CXX_LINKER_LAUNCHER /usr/bin/env NODE_PATH=/usr/share/nodejs)
