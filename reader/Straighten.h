// A pass image of a two-dimensional code turned upright and straightened: the quadrilateral
// of its outline (CodeQuad.h) drawn as a rectangle, enlarged where the code is small, for
// detectors that lose a turned code of small modules (Aztec in zxing-cpp 1.4), take upright
// symbols only (its MaxiCode) or lose a code seen at an angle (its Micro QR and DataMatrix).
#pragma once

#include "WorkImage.h"

namespace Vel {

// The quadrilateral of the picture's code drawn as a rectangle (bilinear), its longer side at
// least 300 pixels (enlarged up to 3 times), in a white margin a fifth of that (the quiet zone
// Micro QR wants), with the bilinear map back to the picture. The picture itself where FindCodeQuad
// finds none.
TWorkImage Straighten(TGrayPlane in, std::vector<std::uint8_t>& out);

// The image turned clockwise by turns quarters (1 to 3), with its map composed.
TWorkImage TurnQuarters(const TWorkImage& image, int turns, std::vector<std::uint8_t>& out);

} // namespace Vel
