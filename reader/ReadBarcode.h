// What the reader's passes work on and find: a contiguous gray plane, and a barcode copied out
// of ZBar before it becomes a TBarcode value.
#pragma once

#include "vel/Enumerations.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vel {

// A borrowed gray picture: one byte per pixel, rows from the top, no gap between rows.
struct TGrayPlane {
    const std::uint8_t* Data = nullptr;
    int Width = 0;
    int Height = 0;
};

struct TReadPoint {
    int X = 0;
    int Y = 0;
};

struct TReadBarcode {
    TVelSymbology Symbology = TVelSymbology::syNone;
    TVelSymbologyAddon Addon = TVelSymbologyAddon::saNone;
    // The decoded bytes. A QR code's are UTF-8 text above fast effort; an EAN/UPC code
    // with an add-on holds the main code's digits followed by the add-on's.
    std::vector<std::uint8_t> Data;
    // The add-on's digits alone (empty without one).
    std::vector<std::uint8_t> AddonData;
    int Quality = 0;
    TVelOrientation Orientation = TVelOrientation::orUnknown;
    TVelModifiers Modifiers;
    std::vector<TVelConfig> Configs; // the settings ZBar decoded it with
    std::vector<TReadPoint> Points;  // the outline, in the coordinates of the plane read
    std::string Pass;                // the pass that found it: "default", "density3", ...
};

} // namespace Vel
