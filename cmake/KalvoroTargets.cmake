# Helpers that give every target of the project the same standard and warnings, and each library an include
# path that shows its own headers and nothing else.

set(KALVORO_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

option(KALVORO_WERROR "Treat the project's warnings as errors (make test sets it; make run leaves it off)" OFF)

set(KALVORO_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    # clang's -Wconversion also warns of sign changes, which g++'s does not in C++: both compilers (and
    # clang-tidy) then hold the code to the same set.
    -Wno-sign-conversion)

function(kalvoro_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE ${KALVORO_WARNINGS})
    if(KALVORO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Publishes the headers of the calling folder, and only those, under their path from the repository root
# (`#include "engine/Board.h"`): the include directory holds one link named after the folder, so a library
# that does not link another cannot include its headers.
function(kalvoro_publish_headers target)
    file(RELATIVE_PATH folder ${KALVORO_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
    set(include_root ${CMAKE_BINARY_DIR}/include/${target})
    get_filename_component(parent ${include_root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_root}/${folder} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${include_root})
    else()
        target_include_directories(${target} PUBLIC ${include_root})
    endif()
endfunction()

# kalvoro_add_library(<name> [QT_FREE] SOURCES ... [LINKS ...])
# Adds the static library kalvoro_<name> with the alias kalvoro::<name> over the calling folder. A QT_FREE
# library is checked at every build: a Qt include in any of its sources fails the build with the file named.
function(kalvoro_add_library name)
    cmake_parse_arguments(ARG "QT_FREE" "" "SOURCES;LINKS" ${ARGN})
    set(target kalvoro_${name})
    add_library(${target} STATIC ${ARG_SOURCES})
    add_library(kalvoro::${name} ALIAS ${target})
    kalvoro_publish_headers(${target})
    target_link_libraries(${target} PUBLIC ${ARG_LINKS})
    kalvoro_target_defaults(${target})
    if(ARG_QT_FREE)
        kalvoro_forbid_qt(${target} ${ARG_SOURCES})
    endif()
endfunction()

# kalvoro_forbid_qt(<target> <source>...): fails the build of <target> when one of the sources (relative to
# the calling folder) includes a Qt header.
function(kalvoro_forbid_qt target)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.qt-free)
    set(files)
    foreach(source ${ARGN})
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND files ${source})
    endforeach()
    # The list travels as one argument, its items joined by "|".
    string(JOIN "|" joined ${files})
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DFILES=${joined}" -DSTAMP=${stamp} -P ${KALVORO_ROOT}/cmake/CheckNoQt.cmake
        DEPENDS ${files} ${KALVORO_ROOT}/cmake/CheckNoQt.cmake
        COMMENT "Checking that ${target} includes no Qt header" VERBATIM)
    add_custom_target(${target}_qt_free DEPENDS ${stamp})
    add_dependencies(${target} ${target}_qt_free)
endfunction()

# kalvoro_add_layer(<name> SOURCES ... BUILDS_ON <folder>...): the Qt-free library kalvoro::<name> of the
# calling folder, linking the libraries of the folders it builds on (analysis/core is kalvoro::analysis_core).
# Their published headers are the only ones besides its own that its sources can include.
function(kalvoro_add_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;BUILDS_ON" ${ARGN})
    set(links)
    foreach(folder ${ARG_BUILDS_ON})
        string(REPLACE "/" "_" library ${folder})
        list(APPEND links kalvoro::${library})
    endforeach()
    kalvoro_add_library(${name} QT_FREE SOURCES ${ARG_SOURCES} LINKS ${links})
endfunction()
