# Cross build of the Windows programs (orlith.exe, orlith-cli.exe) and of every test suite with
# MinGW-w64. Everything is linked statically, so each .exe runs on a Windows machine without a DLL
# of ours or of the compiler. ctest runs the test binaries under Wine through the emulator below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORLITH_MINGW_PREFIX x86_64-w64-mingw32)
# The posix flavour: std::thread and friends, which GoogleTest wants, exist only there.
set(CMAKE_C_COMPILER ${ORLITH_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORLITH_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORLITH_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORLITH_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc, libstdc++ or winpthread DLL beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Wine keeps its Windows folder in a prefix of this build tree, so a build never touches the
# user's own ~/.wine. The prefix is made once with `wineboot -i` (see scripts/test.sh).
set(ORLITH_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs the 64-bit test binaries")
set(ORLITH_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of this build tree")
set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env WINEPREFIX=${ORLITH_WINEPREFIX} WINEDEBUG=-all ${ORLITH_WINE})
