// The shape of a found barcode as the library's TBarcode computes it: the smallest rectangle
// holding its outline, and the outline's convex hull.
#pragma once

#include "ScanResult.h"

#include <vel/Geometry.h>

#include <vector>

namespace VelScan {

// The smallest rectangle holding every outline point; all zero without outline.
Vel::TRect BoundingBox(const TFoundBarcode& barcode);

// The outline's corners in order around it (TBarcode::Hull).
std::vector<TPoint> OutlineHull(const TFoundBarcode& barcode);

} // namespace VelScan
