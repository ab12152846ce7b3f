# Cross-compiling quevor.exe for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUEVOR_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: its C++ runtime has std::mutex and friends, which GoogleTest needs.
set(CMAKE_C_COMPILER ${QUEVOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUEVOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUEVOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUEVOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: the C and C++ runtimes linked in, nothing beside it but
# system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12 reports bogus -Wrestrict overlaps inside std::basic_string at -O2 (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
