// The value of a ZBar symbol: what a TVelSymbol reports, copied into a TBarcode.
#pragma once

#include "vel/Barcode.h"
#include "vel/Geometry.h"
#include "vel/VelSymbol.h"

namespace Vel {

// Reads every property of the symbol once. The outline is moved by offset on top of the
// origin the symbol adds itself (its component's scan rectangle).
TBarcode BarcodeValue(const TVelSymbol& symbol, TPoint offset = {});

} // namespace Vel
