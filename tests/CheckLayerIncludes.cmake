# Fails when a source includes a header of a layer it must not use. The
# build already keeps Qt modules out of the layers that do not link them;
# this covers the project's own headers, which all share one include root.
# Which folder may include which layers is what the CMake files declare
# (cmake/Layers.cmake), written into the build tree at configure time.
#     cmake -DGRAPH=<build>/layer-graph.cmake -P CheckLayerIncludes.cmake
cmake_minimum_required(VERSION 3.25)
include(${GRAPH})

# A source belongs to the innermost declared folder that holds it.
set(claimed "")
set(violations "")
foreach(name IN LISTS includers)
    set(folder "${folder_${name}}")
    file(GLOB_RECURSE sources "${folder}/*.h" "${folder}/*.cpp")
    foreach(source IN LISTS sources)
        set(nested FALSE)
        foreach(other IN LISTS includers)
            string(LENGTH "${folder_${other}}" inner)
            string(LENGTH "${folder}" outer)
            string(FIND "${source}" "${folder_${other}}/" at)
            if(inner GREATER outer AND at EQUAL 0)
                set(nested TRUE)
            endif()
        endforeach()
        if(nested)
            continue()
        endif()
        list(APPEND claimed ${source})
        file(STRINGS "${source}" includes REGEX "^#include \"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX MATCH "^#include \"([a-z]+)/" _ "${line}")
            set(target "${CMAKE_MATCH_1}")
            if(target IN_LIST layers AND NOT target IN_LIST allowed_${name})
                string(APPEND violations "\n  ${source}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations)
    message(FATAL_ERROR "Includes that reach into a layer the file may not use:${violations}")
endif()
list(LENGTH claimed count)
message(STATUS "${count} sources checked against the layers they may use")
