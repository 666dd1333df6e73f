# Installs the build into a scratch prefix and fails unless every file a desktop needs is there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/kalvoro
    bin/kalvoro-cli
    share/applications/${APP_ID}.desktop
    share/mime/packages/${APP_ID}.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/metainfo/${APP_ID}.metainfo.xml
    share/man/man6/kalvoro.6
    share/man/man6/kalvoro-cli.6
    share/kalvoro/help/Kalvoro.html)
foreach(file ${expected})
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
message(STATUS "all ${PREFIX} files in place")
