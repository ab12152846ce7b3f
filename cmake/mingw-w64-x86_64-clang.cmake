# Cross-compiling for 64-bit Windows with clang against Debian's MinGW-w64 headers, libraries and
# binutils (g++-mingw-w64-x86-64), to keep the Windows code free of clang's warnings too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUEVOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${QUEVOR_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${QUEVOR_MINGW_PREFIX})
set(CMAKE_RC_COMPILER ${QUEVOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUEVOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian keeps MinGW's libstdc++ in a GCC folder named "<version>-posix", which clang does not
# recognise, so its headers and libraries are named here (the posix thread model, as for g++).
file(GLOB _quevor_gcc_dirs /usr/lib/gcc/${QUEVOR_MINGW_PREFIX}/*-posix/include/c++)
if(NOT _quevor_gcc_dirs)
    message(FATAL_ERROR "No MinGW-w64 libstdc++ with the posix thread model under /usr/lib/gcc "
        "(Debian's g++-mingw-w64-x86-64)")
endif()
list(SORT _quevor_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET _quevor_gcc_dirs 0 _quevor_gcc)
get_filename_component(_quevor_gcc ${_quevor_gcc}/../.. ABSOLUTE)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${_quevor_gcc}/include/c++
    ${_quevor_gcc}/include/c++/${QUEVOR_MINGW_PREFIX} ${_quevor_gcc}/include/c++/backward)

# One self-contained executable, as with g++; -pthread puts winpthreads (which libgcc's
# thread-local storage needs) into the group of runtime libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -pthread -L${_quevor_gcc}")
