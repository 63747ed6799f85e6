// A pass image turned upright: the picture rotated by the angle of its strongest edges, for
// codes whose detectors lose steep turns (PDF417, Aztec, DataMatrix in zxing-cpp 1.4).
#pragma once

#include "reader/WorkImage.h"

namespace Vel {

// The direction of the picture's strongest edges, in degrees in [-45, 45]: the gradients'
// directions modulo a quarter turn, weighted by their size; their mean around the peak.
double EdgeAngle(TGrayPlane in);

// The picture turned by -EdgeAngle about its centre (bilinear), on a white canvas large
// enough to hold it, with the map back to the picture. The picture itself where its edges
// are within 2 degrees of upright already.
TWorkImage Deskew(TGrayPlane in, std::vector<std::uint8_t>& out);

} // namespace Vel
