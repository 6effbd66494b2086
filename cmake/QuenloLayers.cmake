# Every folder of src/ is one layer. A layer may include and link only the
# layers below it; quenlo_check_layer makes the build fail, naming the file
# and line, when one of its files includes a header of any other folder.

# Checks the files of src/FOLDER before TARGET is built: they may include
# headers of FOLDER itself and of the folders listed after BELOW.
function(quenlo_check_layer folder target)
    cmake_parse_arguments(LAYER "" "" "BELOW" ${ARGN})
    set(source_root ${PROJECT_SOURCE_DIR}/src)
    file(GLOB files CONFIGURE_DEPENDS ${source_root}/${folder}/*.h ${source_root}/${folder}/*.cpp)
    set(stamp ${PROJECT_BINARY_DIR}/layers/${folder}.checked)
    set(allowed ${folder} ${LAYER_BELOW})
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} "-DALLOWED=${allowed}"
                -DSOURCE_ROOT=${source_root} -DSTAMP=${stamp} "-DFILES=${files}"
                -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
        COMMENT "Checking that ${folder} includes only the layers below it"
        VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()

# A library layer: the sources of src/FOLDER (and EXTRA_SOURCES) as the static
# library quenlo_FOLDER, linked with the layers listed after BELOW.
function(quenlo_library_layer folder)
    cmake_parse_arguments(LAYER "" "" "BELOW;EXTRA_SOURCES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    set(target quenlo_${folder})
    add_library(${target} STATIC ${sources} ${LAYER_EXTRA_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    foreach(below ${LAYER_BELOW})
        target_link_libraries(${target} PUBLIC quenlo_${below})
    endforeach()
    quenlo_check_layer(${folder} ${target} BELOW ${LAYER_BELOW})
endfunction()
