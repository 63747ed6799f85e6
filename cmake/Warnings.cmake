# Warnings and sanitizers for the project's own targets. Warnings are errors only where
# VEL_WERROR asks for it (the test command and CI), so that users and packagers can build
# with any compiler and build type.
option(VEL_WERROR "Treat compiler warnings as errors" OFF)
set(VEL_WARNING_FLAGS -Wall -Wextra)
if(VEL_WERROR)
    list(APPEND VEL_WARNING_FLAGS -Werror)
endif()
# GCC 12 reports a false -Wrestrict inside std::string's operator+ when it inlines it at -O3.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND VEL_WARNING_FLAGS -Wno-restrict)
endif()

# VEL_SANITIZE: ON for AddressSanitizer with UndefinedBehaviorSanitizer, thread for
# ThreadSanitizer (clang; it cannot share a build with AddressSanitizer).
if(VEL_SANITIZE STREQUAL "thread")
    set(VEL_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
elseif(VEL_SANITIZE)
    set(VEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                            -fno-omit-frame-pointer)
endif()
if(VEL_SANITIZE)
    add_compile_options(${VEL_SANITIZER_FLAGS})
    add_link_options(${VEL_SANITIZER_FLAGS})
endif()

# vel_strict(target...): compile the targets with the project's warnings.
function(vel_strict)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE ${VEL_WARNING_FLAGS})
    endforeach()
endfunction()
