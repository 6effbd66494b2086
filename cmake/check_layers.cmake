# Fails when a source file of one layer includes a header of a folder that
# layer may not reach. Run as:
#   cmake -DLAYER=name -DALLOWED="a;b" -DSOURCE_ROOT=dir -DSTAMP=file
#         -DFILES="f1;f2" -P check_layers.cmake
# A folder of SOURCE_ROOT named in an include ("folder/file.h") is a layer;
# anything else (standard or third-party headers) is not this check's business.
cmake_minimum_required(VERSION 3.25)

set(faults "")
foreach(source ${FILES})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    file(READ ${source} content)
    foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
        string(REGEX REPLACE "^(\\.\\./)+" "" header_from_root "${header}")
        string(REGEX MATCH "^[^/]+" folder "${header_from_root}")
        if(NOT header_from_root MATCHES "/" OR NOT IS_DIRECTORY ${SOURCE_ROOT}/${folder})
            continue()
        endif()
        if(NOT folder IN_LIST ALLOWED)
            string(FIND "${content}" "${line}" offset)
            string(SUBSTRING "${content}" 0 ${offset} before)
            string(REGEX MATCHALL "\n" breaks "${before}")
            list(LENGTH breaks number)
            math(EXPR number "${number} + 1")
            file(RELATIVE_PATH shown ${SOURCE_ROOT}/.. ${source})
            string(REPLACE ";" ", " reachable "${ALLOWED}")
            string(APPEND faults
                   "${shown}:${number}: upward include of \"${header}\": "
                   "the ${LAYER} layer may include only ${reachable}\n")
        endif()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "Layers include each other the wrong way:\n${faults}")
endif()
file(WRITE ${STAMP} "")
