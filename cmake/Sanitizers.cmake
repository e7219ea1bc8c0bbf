# Instrumented builds. QUILLET_SANITIZERS names the sanitizers for every
# target (e.g. "address,undefined"); any finding stops the program. With
# QUILLET_FUZZ the code is also built for libFuzzer (clang only), and the
# fuzz targets of tests/fuzz are added.
set(QUILLET_SANITIZERS "" CACHE STRING "Sanitizers for every target, e.g. address,undefined")
option(QUILLET_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(QUILLET_SANITIZERS)
    add_compile_options(-fsanitize=${QUILLET_SANITIZERS} -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${QUILLET_SANITIZERS})
endif()

if(QUILLET_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUILLET_FUZZ needs clang (libFuzzer)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
