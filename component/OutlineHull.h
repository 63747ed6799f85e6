// The convex hull of an outline, for TBarcode::Hull.
#pragma once

#include "vel/Geometry.h"

#include <vector>

namespace Vel {

// The corners of the smallest convex polygon holding every point, each once, in order around
// it (Andrew's monotone chain). It starts at the outline's first point and goes the way the
// outline goes when that point is a corner, so that an outline that is already its own hull
// (a QR code's four corners) comes back as it was.
std::vector<TPoint> OutlineHull(const std::vector<TPoint>& outline);

} // namespace Vel
