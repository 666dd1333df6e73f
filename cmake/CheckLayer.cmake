# Fails when one of FILES includes a project header from a folder outside ALLOWED. Both lists are separated
# by "|"; folders are written as include paths name them (engine, analysis/core). An include without a folder
# is a header of the file's own folder.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" files "${FILES}")
string(REPLACE "|" ";" allowed "${ALLOWED}")
foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
    foreach(line ${lines})
        string(REGEX REPLACE "^[^\"]*\"(.*)/[^/]*\".*$" "\\1" folder "${line}")
        if(NOT folder IN_LIST allowed)
            message(FATAL_ERROR "${file} includes a header of ${folder}/, a layer its library does not build on")
        endif()
    endforeach()
endforeach()
file(TOUCH ${STAMP})
