# Fails when one of FILES (sources joined by "|") includes a Qt header. Run by the build of every Qt-free target.
string(REPLACE "|" ";" files "${FILES}")
foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q|qt)")
    if(lines)
        message(FATAL_ERROR "${file} includes a Qt header, but its target must stay free of Qt: ${lines}")
    endif()
endforeach()
file(TOUCH ${STAMP})
