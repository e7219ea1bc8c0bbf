# The layers and what each may use, declared once. A declaration links the
# target and records which layers' headers the sources of its folder may
# include: its own and those of every layer it builds on, directly or further
# down. quillet_write_layer_graph writes that record into the build tree,
# where the layer_includes test reads it.

# quillet_add_layer(NAME [MOC] SOURCES ... [USES layer ...] [LINKS lib ...]
#                   [PRIVATE_LINKS lib ...])
# The static library quillet_NAME from the current folder, whose headers are
# included as "NAME/...". USES: the layers it builds on; LINKS: other
# libraries its headers need; PRIVATE_LINKS: libraries only its sources use.
# MOC: it declares meta-objects.
function(quillet_add_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "MOC" "" "SOURCES;USES;LINKS;PRIVATE_LINKS")
    set(target quillet_${name})
    add_library(${target} STATIC ${arg_SOURCES})
    set_property(GLOBAL APPEND PROPERTY QUILLET_LAYERS ${name})
    quillet_use_layers(${target} PUBLIC NAME ${name} LAYERS ${arg_USES})
    target_include_directories(${target} PUBLIC ${QUILLET_SOURCE_ROOT})
    target_link_libraries(${target} PUBLIC ${arg_LINKS} PRIVATE ${arg_PRIVATE_LINKS} quillet_warnings)
    if(arg_MOC)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
endfunction()

# quillet_use_layers(TARGET [PUBLIC] [NAME name] [FOLDER dir] LAYERS layer ...)
# Links TARGET (privately unless PUBLIC) to the layers and records that the
# sources under FOLDER, the current folder by default, may include their
# headers. NAME names the record (the target by default). For the programs
# and libraries outside src/.
function(quillet_use_layers target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "PUBLIC" "NAME;FOLDER" "LAYERS")
    set(scope PRIVATE)
    if(arg_PUBLIC)
        set(scope PUBLIC)
    endif()
    list(TRANSFORM arg_LAYERS PREPEND quillet_ OUTPUT_VARIABLE libraries)
    if(libraries)
        target_link_libraries(${target} ${scope} ${libraries})
    endif()
    if(NOT arg_NAME)
        set(arg_NAME ${target})
    endif()
    if(NOT arg_FOLDER)
        set(arg_FOLDER ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    set_property(GLOBAL APPEND PROPERTY QUILLET_INCLUDERS ${arg_NAME})
    set_property(GLOBAL PROPERTY QUILLET_FOLDER_${arg_NAME} ${arg_FOLDER})
    set_property(GLOBAL PROPERTY QUILLET_USES_${arg_NAME} ${arg_LAYERS})
endfunction()

# quillet_write_layer_graph(FILE): once everything is declared, writes for
# each record its folder and the layers it may include, as a CMake script.
function(quillet_write_layer_graph file)
    get_property(layers GLOBAL PROPERTY QUILLET_LAYERS)
    get_property(includers GLOBAL PROPERTY QUILLET_INCLUDERS)
    set(text "# Written by quillet_write_layer_graph (cmake/Layers.cmake).\n")
    string(APPEND text "set(layers ${layers})\nset(includers ${includers})\n")
    foreach(name IN LISTS includers)
        set(allowed "")
        if(name IN_LIST layers)
            set(allowed ${name})
        endif()
        get_property(pending GLOBAL PROPERTY QUILLET_USES_${name})
        while(pending)
            list(POP_FRONT pending layer)
            if(NOT layer IN_LIST layers)
                message(FATAL_ERROR "${name} uses '${layer}', which is no layer")
            endif()
            if(NOT layer IN_LIST allowed)
                list(APPEND allowed ${layer})
                get_property(below GLOBAL PROPERTY QUILLET_USES_${layer})
                list(APPEND pending ${below})
            endif()
        endwhile()
        get_property(folder GLOBAL PROPERTY QUILLET_FOLDER_${name})
        string(APPEND text "set(folder_${name} \"${folder}\")\nset(allowed_${name} ${allowed})\n")
    endforeach()
    file(WRITE ${file} "${text}")
endfunction()
