// The gray bytes of a rectangle of a graphic, as TVel's scan and the reader take them.
#pragma once

#include "ScanArea.h"
#include "vel/host/Graphic.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Vel {

struct TPictureGray {
    std::vector<std::uint8_t> Bytes; // Area.Width x Area.Height bytes, rows from the top
    TScanArea Area;                  // the rectangle cut to the graphic
};

// Copies the graphic into a 32-bit bitmap, cuts the rectangle (a width or height of 0
// reaching the edge) to it and converts each pixel with ConvertRowToGray. Nothing when the
// rectangle lies beyond the graphic; width and height are then the graphic's size.
std::optional<TPictureGray> PictureGray(Host::TGraphic* graphic, const TScanArea& request,
                                        int& width, int& height);

} // namespace Vel
