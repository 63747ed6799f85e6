// The box of a found barcode: the smallest rectangle holding its outline, as the library's
// TBarcode computes it.
#pragma once

#include "ScanResult.h"

#include <vel/Geometry.h>

namespace VelScan {

// The smallest rectangle holding every outline point; all zero without outline.
Vel::TRect BoundingBox(const TFoundBarcode& barcode);

} // namespace VelScan
