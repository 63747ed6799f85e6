// The barcode engines this build of the library reads with.
#pragma once

#include "vel/host/Export.h"

#include <string>
#include <vector>

namespace Vel {

// "ZBar" (loaded at run time; TVel's Scan and every effort read with it) and, where the build
// has it (VEL_WITH_ZXING), "zxing-cpp 1.4.0": the reader's second engine, linked in.
VEL_API std::vector<std::string> EngineNames();

} // namespace Vel
