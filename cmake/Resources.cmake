# vel_add_resources(target SCRIPT file (EXPORT symbol | FUNCTION ns::name) [DEPENDS files...])
# EXPORT: the table is the module's exported HostModuleResources-style symbol; FUNCTION: a
# function returning the table, for the module's own code. DEPENDS: the scripts it includes.
function(vel_add_resources target)
    cmake_parse_arguments(RES "" "SCRIPT;EXPORT;FUNCTION" "DEPENDS" ${ARGN})
    get_filename_component(script ${RES_SCRIPT} ABSOLUTE)
    get_filename_component(stem ${RES_SCRIPT} NAME_WE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${stem}Resources.cpp)
    if(RES_EXPORT)
        set(mode --export ${RES_EXPORT})
    else()
        set(mode --function ${RES_FUNCTION})
    endif()
    list(TRANSFORM RES_DEPENDS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    add_custom_command(OUTPUT ${output}
                       COMMAND velrc ${script} ${output} ${mode}
                       DEPENDS velrc ${script} ${RES_DEPENDS}
                       COMMENT "Compiling resources ${RES_SCRIPT}"
                       VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
