# Warnings and sanitizers for the project's own targets.
set(VEL_STRICT_FLAGS -Wall -Wextra -Werror)

if(VEL_SANITIZE)
    set(VEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                            -fno-omit-frame-pointer)
    add_compile_options(${VEL_SANITIZER_FLAGS})
    add_link_options(${VEL_SANITIZER_FLAGS})
endif()

# vel_strict(target...): compile the target with warnings as errors.
function(vel_strict)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE ${VEL_STRICT_FLAGS})
    endforeach()
endfunction()

# vel_versioned_library(target): the shared-library version and SONAME.
function(vel_versioned_library target)
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION}
                                               SOVERSION ${PROJECT_VERSION_MAJOR})
endfunction()
