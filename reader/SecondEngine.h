// The reader's second engine: zxing-cpp, where the build has it (VEL_WITH_ZXING), else none.
// It reads what ZBar cannot (PDF417, DataMatrix, Aztec, MaxiCode, Micro QR) and, where
// ZBar's passes found nothing, the codes both read.
//
// zxing-cpp 1.4 as Debian builds it keeps its assertions, and one of them fails, aborting the
// process with SIGABRT, on some DataBar, DataBar Expanded and Code 128 pictures. Looking for
// the codes ZBar lacks only, it aborted on none of the corpus's pictures nor the tests' (see
// bench/RESULTS.md): that is all it looks for unless the caller's process may be lost.
#pragma once

#include "ReadBarcode.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace Vel {

enum class TEngineScope : std::uint8_t {
    esZBarLacks, // PDF417, DataMatrix, Aztec, MaxiCode and Micro QR: measured not to abort
    esEvery,     // every code the engine reads: only where an abort costs a worker process
    esUpright,   // MaxiCode alone, which the engine reads upright only (one of esZBarLacks)
};

// "zxing-cpp 1.4.0", or empty when the build has no second engine.
std::string_view SecondEngineName();

// The barcodes the second engine finds in the plane, in ZBar's conventions (ZXingResult.h),
// with outlines in the plane's coordinates and Pass set to pass; none without the engine.
std::vector<TReadBarcode> ReadWithSecondEngine(TGrayPlane gray, TEngineScope scope,
                                               std::string_view pass);

} // namespace Vel
