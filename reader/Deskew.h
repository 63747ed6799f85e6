// A pass image turned upright: the picture rotated by the angle of its strongest edges, for
// codes of square modules whose detectors lose steep turns (PDF417 and DataMatrix in
// zxing-cpp 1.4).
#pragma once

#include "WorkImage.h"

#include <optional>

namespace Vel {

// The direction of the picture's strongest edges, in degrees in [-45, 45]: the gradients'
// directions modulo a quarter turn, weighted by their size; their mean around the peak.
// None where the edges do not agree on a direction (half their strength near the peak), as
// in most photographs, and in a picture without edges.
std::optional<double> EdgeAngle(TGrayPlane in);

// The picture turned by -EdgeAngle about its centre (bilinear), on a white canvas large
// enough to hold it, with the map back to the picture. The picture itself where its edges
// have no direction or are within 2 degrees of upright already.
TWorkImage Deskew(TGrayPlane in, std::vector<std::uint8_t>& out);

} // namespace Vel
