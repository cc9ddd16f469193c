# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with Debian's mingw-w64, posix-thread flavour (std::thread and
# std::mutex need it). Executables are linked statically, so they run without any DLL of the
# compiler beside them. Tests run through wine (see scripts/dev.sh test-windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TUNECRATE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TUNECRATE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TUNECRATE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TUNECRATE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TUNECRATE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test executables run under wine from CTest and from GoogleTest's discovery.
find_program(TUNECRATE_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TUNECRATE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TUNECRATE_WINE64})
endif()
