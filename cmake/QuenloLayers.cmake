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
        get_target_property(kind quenlo_${below} TYPE)
        if(kind STREQUAL "MODULE_LIBRARY")
            # A module is loaded, never linked: the layer learns where the
            # build put it, and is built after it.
            string(TOUPPER ${below} name)
            target_compile_definitions(${target} PRIVATE
                QUENLO_${name}_MODULE_BUILT="$<TARGET_FILE:quenlo_${below}>")
            add_dependencies(${target} quenlo_${below})
        else()
            target_link_libraries(${target} PUBLIC quenlo_${below})
        endif()
    endforeach()
    quenlo_check_layer(${folder} ${target} BELOW ${LAYER_BELOW})
endfunction()

# A module layer: the sources of src/FOLDER as the shared module
# libquenlo_FOLDER.so, linked with LIBRARIES, exporting only its entry, and
# installed in lib/quenlo, where the programs look for it
# (foundation/program_module.h). Its files include no other layer.
function(quenlo_module_layer folder)
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    set(target quenlo_${folder})
    add_library(${target} MODULE ${sources})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PRIVATE ${ARGN})
    set_target_properties(${target} PROPERTIES PREFIX "lib" CXX_VISIBILITY_PRESET hidden)
    quenlo_check_layer(${folder} ${target})
    install(TARGETS ${target} LIBRARY DESTINATION lib/quenlo)
endfunction()
