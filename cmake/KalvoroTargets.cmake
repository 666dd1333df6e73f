# Helpers that give every target of the project the same standard, warnings and include root.

set(KALVORO_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

function(kalvoro_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# kalvoro_add_library(<folder> [QT_FREE] SOURCES ... [LINKS ...])
# Adds the static library kalvoro_<folder> with the alias kalvoro::<folder>. A QT_FREE library is checked at
# every build: a Qt include in any of its files fails the build with the file named.
function(kalvoro_add_library folder)
    cmake_parse_arguments(ARG "QT_FREE" "" "SOURCES;LINKS" ${ARGN})
    set(target kalvoro_${folder})
    add_library(${target} STATIC ${ARG_SOURCES})
    add_library(kalvoro::${folder} ALIAS ${target})
    target_include_directories(${target} PUBLIC ${KALVORO_ROOT})
    target_link_libraries(${target} PUBLIC ${ARG_LINKS})
    kalvoro_target_defaults(${target})
    if(ARG_QT_FREE)
        kalvoro_forbid_qt(${target} ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
endfunction()

function(kalvoro_forbid_qt target folder)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.qt-free)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DSTAMP=${stamp} -P ${KALVORO_ROOT}/cmake/CheckNoQt.cmake
        DEPENDS ${files} ${KALVORO_ROOT}/cmake/CheckNoQt.cmake
        COMMENT "Checking that ${target} includes no Qt header")
    add_custom_target(${target}_qt_free DEPENDS ${stamp})
    add_dependencies(${target} ${target}_qt_free)
endfunction()
