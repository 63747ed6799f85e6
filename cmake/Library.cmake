# vel_library(target): one of the project's libraries. Its symbols are hidden but for what
# its public headers mark VEL_API; a shared library carries the project's version and SONAME.
function(vel_library target)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                               VISIBILITY_INLINES_HIDDEN ON
                                               VERSION ${PROJECT_VERSION}
                                               SOVERSION ${PROJECT_VERSION_MAJOR})
    target_compile_features(${target} PUBLIC cxx_std_20)
    vel_strict(${target})
endfunction()
