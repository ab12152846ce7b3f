# The layers of the program, each one static library. A layer's sources and its users compile
# against include roots in the build tree rather than the source tree: every layer has a root of
# its own holding links to just its own folders, and target_link_libraries hands a user the roots
# of the layers it links. Sources still include by the path from the repository root
# ("core/int16.h"), but a header of a layer above, or of a sibling, is not there to be found.
#
#   quevor_layer(<target> <folder or single header>...)    paths relative to the source root
#   quevor_check_layers()    after every target_link_libraries between the layers
set(QUEVOR_LAYER_ROOT ${PROJECT_BINARY_DIR}/layers)
# Links only: removing them leaves the folders they point to alone.
file(REMOVE_RECURSE ${QUEVOR_LAYER_ROOT})
file(MAKE_DIRECTORY ${QUEVOR_LAYER_ROOT})
file(CREATE_LINK ${PROJECT_SOURCE_DIR}/CMakeLists.txt ${QUEVOR_LAYER_ROOT}/link-test
    RESULT QUEVOR_LINK_ERROR SYMBOLIC)
if(QUEVOR_LINK_ERROR)
    # Windows without the right to make symbolic links: the build still works, unguarded.
    message(STATUS "No symbolic links here (${QUEVOR_LINK_ERROR}): every layer includes from "
        "the source root, and a layer including one above it is not caught")
endif()
file(REMOVE ${QUEVOR_LAYER_ROOT}/link-test)

function(quevor_layer target)
    add_library(${target} STATIC)
    set_property(GLOBAL APPEND PROPERTY QUEVOR_LAYERS ${target})
    set_property(TARGET ${target} PROPERTY QUEVOR_LAYER_ENTRIES ${ARGN})
    if(QUEVOR_LINK_ERROR)
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        return()
    endif()
    set(root ${QUEVOR_LAYER_ROOT}/${target})
    foreach(entry ${ARGN})
        get_filename_component(folder ${root}/${entry} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${entry} ${root}/${entry} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# The layers a target's own sources can see: the ones it links, and those their headers need
# (linked PUBLIC); a layer linked PRIVATE stays out of its users' sight.
function(_quevor_visible_layers target links out)
    set(found)
    foreach(item ${links})
        if(item MATCHES "^\\$<LINK_ONLY:" OR NOT TARGET ${item})
            continue()
        endif()
        get_property(is_layer TARGET ${item} PROPERTY QUEVOR_LAYER_ENTRIES SET)
        if(NOT is_layer)
            continue()
        endif()
        set(below)
        get_target_property(next ${item} INTERFACE_LINK_LIBRARIES)
        if(next)
            _quevor_visible_layers(${item} "${next}" below)
        endif()
        list(APPEND found ${item} ${below})
    endforeach()
    list(REMOVE_DUPLICATES found)
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# One header that stands for an entry: the entry itself, or its folder's first header.
function(_quevor_entry_header entry out)
    if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${entry})
        file(GLOB_RECURSE headers RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${entry}/*.h)
        list(SORT headers)
        list(GET headers 0 entry)
    endif()
    set(${out} ${entry} PARENT_SCOPE)
endfunction()

# A file per layer, compiled with that layer's include folders whenever the layer is built: it
# fails if a header of its own or of a layer below is missing, or one of any other layer is
# there. It includes nothing, so it costs next to no build time.
function(quevor_check_layers)
    if(QUEVOR_LINK_ERROR)
        return()
    endif()
    get_property(layers GLOBAL PROPERTY QUEVOR_LAYERS)
    foreach(layer ${layers})
        get_target_property(links ${layer} LINK_LIBRARIES)
        if(NOT links)
            set(links)
        endif()
        _quevor_visible_layers(${layer} "${links}" visible)
        list(APPEND visible ${layer})
        set(text "// Made by cmake/layers.cmake: what ${layer} can include, and what not.\n")
        foreach(other ${layers})
            get_target_property(entries ${other} QUEVOR_LAYER_ENTRIES)
            foreach(entry ${entries})
                _quevor_entry_header(${entry} header)
                if(other IN_LIST visible)
                    string(APPEND text "#if !__has_include(\"${header}\")\n"
                        "#error \"${layer} cannot see ${header}, of ${other} which it uses\"\n#endif\n")
                else()
                    string(APPEND text "#if __has_include(\"${header}\")\n"
                        "#error \"${layer} can see ${header}, of ${other} which it must not use\"\n#endif\n")
                endif()
            endforeach()
        endforeach()
        # In a folder of its own, so that nothing lies beside it for a quoted include to find.
        set(check ${PROJECT_BINARY_DIR}/layer-checks/${layer}.cpp)
        file(CONFIGURE OUTPUT ${check} CONTENT "${text}")
        add_library(${layer}_check OBJECT ${check})
        # The folders the layer's own sources are compiled with, those of its links included.
        target_include_directories(${layer}_check PRIVATE
            $<TARGET_PROPERTY:${layer},INCLUDE_DIRECTORIES>)
        add_dependencies(${layer} ${layer}_check)
    endforeach()
endfunction()
