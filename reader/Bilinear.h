// Sampling a gray plane between its pixels, for the passes that turn or straighten a picture.
#pragma once

#include "ReadBarcode.h"

#include <cstdint>

namespace Vel {

// The level at (x, y) by bilinear interpolation of the four pixels around it; white outside
// the plane, as the quiet zone around a code would be.
std::uint8_t SampleBilinear(TGrayPlane in, double x, double y);

} // namespace Vel
