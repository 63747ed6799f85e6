// Pass images thresholded against their neighbourhood, for uneven light and low contrast.
// The window is a square of side shorter side / 8 (at least 3 pixels) around each pixel.
#pragma once

#include "WorkImage.h"

namespace Vel {

// Black where the pixel is darker than its window's mean less c, else white.
TWorkImage MeanThreshold(TGrayPlane in, int c, std::vector<std::uint8_t>& out);

// Sauvola's threshold: black where the pixel is darker than m (1 + k (s / 128 - 1)), m and
// s being the window's mean and standard deviation, with k = 0.2.
TWorkImage SauvolaThreshold(TGrayPlane in, std::vector<std::uint8_t>& out);

} // namespace Vel
