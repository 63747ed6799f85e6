// Pass images at another scale: halved with a box filter, smoothed, or enlarged.
#pragma once

#include "WorkImage.h"

namespace Vel {

// Each output pixel the mean of a 2 x 2 block (the odd last row or column dropped).
TWorkImage DownScale2(TGrayPlane in, std::vector<std::uint8_t>& out);

// Each output pixel the mean of a factor x factor block (the last partial rows and columns
// dropped).
TWorkImage DownScale(TGrayPlane in, int factor, std::vector<std::uint8_t>& out);

// A Gaussian blur of sigma 1 (a 7-tap integer kernel, edges replicated) into out; scratch
// holds the horizontal pass. in may be out's own view.
TWorkImage BlurSigma1(TGrayPlane in, std::vector<std::uint8_t>& out,
                      std::vector<std::uint8_t>& scratch);

// Enlarged factor times with bilinear interpolation.
TWorkImage UpScaleBilinear(TGrayPlane in, int factor, std::vector<std::uint8_t>& out);

// Enlarged factor times with Catmull-Rom's cubic: edges stay sharper than bilinear's.
TWorkImage UpScaleCubic(TGrayPlane in, int factor, std::vector<std::uint8_t>& out);

} // namespace Vel
