# Draws the artwork at build time: QUEVOR_ART_DIR receives quevor.ico and add.bmp.
# The drawing program runs on the build machine, so a cross build compiles it with the
# build machine's own compiler. It compresses the icon's largest image with zlib.
set(QUEVOR_ART_DIR ${CMAKE_BINARY_DIR}/art CACHE INTERNAL "Where the drawn artwork goes")
file(MAKE_DIRECTORY ${QUEVOR_ART_DIR})
set(_art_source ${PROJECT_SOURCE_DIR}/art/draw_art.cpp)
if(CMAKE_CROSSCOMPILING)
    find_program(QUEVOR_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
    set(_draw ${QUEVOR_ART_DIR}/draw_art${CMAKE_HOST_EXECUTABLE_SUFFIX})
    add_custom_command(OUTPUT ${_draw}
        COMMAND ${QUEVOR_HOST_CXX} -std=c++17 -O2 -o ${_draw} ${_art_source} -lz
        DEPENDS ${_art_source}
        COMMENT "Building the artwork generator for the build machine")
    set(_draw_depends ${_draw})
else()
    add_executable(draw_art ${_art_source})
    find_package(ZLIB REQUIRED)
    target_link_libraries(draw_art PRIVATE ZLIB::ZLIB)
    set(_draw $<TARGET_FILE:draw_art>)
    set(_draw_depends draw_art)
endif()
add_custom_command(OUTPUT ${QUEVOR_ART_DIR}/quevor.ico ${QUEVOR_ART_DIR}/add.bmp
    COMMAND ${_draw} ${QUEVOR_ART_DIR}
    DEPENDS ${_draw_depends}
    COMMENT "Drawing the icon and the add button's picture")
add_custom_target(quevor_art DEPENDS ${QUEVOR_ART_DIR}/quevor.ico ${QUEVOR_ART_DIR}/add.bmp)
