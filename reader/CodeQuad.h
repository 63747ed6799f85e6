// Where a two-dimensional code lies in a picture: the quadrilateral of its outline, found by
// its edges, for a pass that turns it upright and straightens it (Straighten.h).
#pragma once

#include "ReadBarcode.h"

#include <array>
#include <optional>

namespace Vel {

struct TPlanePoint {
    double X = 0;
    double Y = 0;
};

// Corners in the picture's coordinates: top left, top right, bottom right, bottom left, the
// top edge the one nearest to horizontal.
using TQuad = std::array<TPlanePoint, 4>;

// The outline of the picture's largest region dense with edges, as a code of modules is
// throughout: the region's cells (a 64th of the picture's longer side, at least 4 pixels)
// each hold edges in a tenth of their pixels, it keeps off the picture's edge (a code has
// its quiet zone) and it fills most of its convex hull. The
// quadrilateral's sides are the hull's longest edges facing each side of the hull's
// smallest enclosing rectangle. None where no region is large, compact and no more than 3
// times as long as wide.
std::optional<TQuad> FindCodeQuad(TGrayPlane in);

} // namespace Vel
