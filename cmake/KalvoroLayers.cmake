# kalvoro_check_layer(<target> <folder>...): the build of <target> fails when one of its sources includes a
# header of a project folder other than its own and the listed ones, so that a lower layer cannot reach into
# a higher one, not even through a header alone. Folders are written as include paths name them.
function(kalvoro_check_layer target)
    get_filename_component(root ${KALVORO_ROOT} REALPATH)
    file(RELATIVE_PATH own ${root} ${CMAKE_CURRENT_SOURCE_DIR})
    list(JOIN ARGN "|" allowed)
    get_target_property(sources ${target} SOURCES)
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    list(JOIN sources "|" files)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" "-DALLOWED=${own}|${allowed}" -DSTAMP=${stamp}
            -P ${KALVORO_ROOT}/cmake/CheckLayer.cmake
        DEPENDS ${sources} ${KALVORO_ROOT}/cmake/CheckLayer.cmake
        COMMENT "Checking that ${target} includes only the layers it builds on"
        VERBATIM)
    add_custom_target(${target}_layer DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer)
endfunction()

# kalvoro_add_layer(<name> SOURCES ... BUILDS_ON <folder>...): the Qt-free library kalvoro::<name> of the
# current folder (see kalvoro_add_library), linking the libraries of the folders it builds on
# (analysis/core is kalvoro::analysis_core), whose headers are the only ones besides its own it may include.
function(kalvoro_add_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;BUILDS_ON" ${ARGN})
    set(links)
    foreach(folder ${ARG_BUILDS_ON})
        string(REPLACE "/" "_" library ${folder})
        list(APPEND links kalvoro::${library})
    endforeach()
    kalvoro_add_library(${name} QT_FREE SOURCES ${ARG_SOURCES} LINKS ${links})
    kalvoro_check_layer(kalvoro_${name} ${ARG_BUILDS_ON})
endfunction()
