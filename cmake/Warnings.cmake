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

# The fuzz build instruments all of the project's code for libFuzzer's coverage, so that the
# fuzzer sees the edges it reaches inside the libraries; only the fuzz targets link libFuzzer
# itself (fuzz/CMakeLists.txt). The other programs get the coverage hooks from the sanitizer
# runtime, which is why the fuzz build needs the sanitizers.
if(VEL_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "VEL_BUILD_FUZZ needs clang (libFuzzer), not ${CMAKE_CXX_COMPILER_ID}")
    endif()
    if(NOT VEL_SANITIZE)
        message(FATAL_ERROR "VEL_BUILD_FUZZ needs VEL_SANITIZE=ON (ASan and UBSan)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# vel_strict(target...): compile the targets with the project's warnings.
function(vel_strict)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE ${VEL_WARNING_FLAGS})
    endforeach()
endfunction()
