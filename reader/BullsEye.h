// MaxiCode's finder: a light centre in three dark rings, all as wide as the light rings
// between them.
#pragma once

#include "ReadBarcode.h"

namespace Vel {

// Whether the plane's centre lies in MaxiCode's finder: from the centre, left, right, up and
// down, a light run followed by dark, light, dark, light and dark runs of one width (within
// 40% of their mean; the four directions' means within 30% of each other), the light run no
// longer than three of them. A straightened code's centre is its finder's, to within the
// light centre's radius.
bool HasBullsEyeAtCentre(TGrayPlane in);

} // namespace Vel
