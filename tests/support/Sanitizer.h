// VEL_ADDRESS_SANITIZED is defined when the tests are built with AddressSanitizer: GCC says so
// with __SANITIZE_ADDRESS__, clang through __has_feature.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define VEL_ADDRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEL_ADDRESS_SANITIZED 1
#endif
#endif
