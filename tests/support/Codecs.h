// Which optional picture support the build has, for the tests of that support to skip in a
// build without it, saying why.
#pragma once

namespace Support {

inline constexpr bool ReadsPdf = VEL_TEST_READS_PDF;
inline constexpr const char* NoPdf = "this build has no PDF support (VEL_WITH_PDF=OFF)";

} // namespace Support
