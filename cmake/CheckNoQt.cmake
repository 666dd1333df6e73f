# Fails when a source file under FOLDER includes a Qt header. Run by the build of every Qt-free library.
file(GLOB_RECURSE files ${FOLDER}/*.h ${FOLDER}/*.cpp)
foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q|qt)")
    if(lines)
        message(FATAL_ERROR "${file} includes a Qt header, but its library must stay free of Qt: ${lines}")
    endif()
endforeach()
file(TOUCH ${STAMP})
