// Pass images with other gray levels: inverted (light bars on dark ground) and equalised
// (low contrast).
#pragma once

#include "WorkImage.h"

namespace Vel {

TWorkImage Invert(TGrayPlane in, std::vector<std::uint8_t>& out);

// Histogram equalisation: each level mapped through the picture's cumulative histogram.
TWorkImage Equalise(TGrayPlane in, std::vector<std::uint8_t>& out);

// Equalised where the picture's contrast is low (its levels but the darkest and lightest 2%
// within half the range); else the picture itself.
TWorkImage EqualiseLowContrast(TGrayPlane in, std::vector<std::uint8_t>& out);

} // namespace Vel
