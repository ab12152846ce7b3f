# Cross-compiling for 64-bit Windows with clang against Debian's MinGW-w64 headers, libraries and
# binutils (g++-mingw-w64-x86-64), to keep the Windows code free of clang's warnings too.
# The target, the search roots and windres as for g++; the compilers and flags are clang's.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${QUEVOR_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${QUEVOR_MINGW_PREFIX})
set(CMAKE_CXX_FLAGS_INIT "")  # g++'s -Wno-restrict is no clang option

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
