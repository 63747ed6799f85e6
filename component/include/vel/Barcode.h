// TBarcode: one barcode a scan found, as a value. It holds copies of what ZBar reported, so
// it outlives the scan, the scanner, the component and the library, and can be copied,
// stored and compared.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Geometry.h"
#include "vel/host/Export.h"

#include <string>
#include <vector>

namespace Vel {

// Fields are named like TVelSymbol's properties. Set them by name (designated initializers):
// fields may be added. Each has a default, so that one left out raises no warning.
struct VEL_API TBarcode {
    TVelSymbology Symbology = TVelSymbology::syNone;
    // ZBar's name of the symbology in UTF-8, e.g. "EAN-13", "QR-Code".
    std::string SymbologyName{};
    TVelSymbologyAddon SymbologyAddon = TVelSymbologyAddon::saNone;
    // ZBar's name of the add-on in UTF-8: "+2", "+5", or empty without one.
    std::string SymbologyAddonName{};
    // The decoded bytes as ZBar gave them, zero bytes included, not re-coded.
    std::string Data{};
    // ZBar's relative confidence; larger is better.
    int Quality = 0;
    TVelOrientation Orientation = TVelOrientation::orUnknown;
    // ZBar's name of the orientation in UTF-8, e.g. "UP", "UNKNOWN".
    std::string OrientationName{};
    TVelModifiers Modifiers{};
    // The decoder settings ZBar reports the symbol was decoded with, in code order, but
    // coEnable (coEmitCheck for EAN codes by default); empty for the reader's second engine.
    std::vector<TVelConfig> Configs{};
    // The points ZBar gives around the barcode, in coordinates of the whole picture.
    std::vector<TPoint> Outline{};
    // A reader's results join an EAN/UPC code and its add-on: Data holds the main code's
    // digits followed by the add-on's, and AddonData the add-on's alone (empty otherwise).
    std::string AddonData{};
    // The reader's pass that found it ("default", "density3", ...); empty for TVel's scan.
    std::string Pass{};
    // The page or frame of the picture file it was found on, counting from 1 (1 for a file of
    // one page); 0 where there are no pages (gray pixels, TVel's scan).
    int Page = 0;

    // Whether Data is well-formed UTF-8 text.
    bool IsText() const noexcept;
    // Data as UTF-8 text: Data itself when IsText(), otherwise Data with every byte that is
    // no part of a well-formed sequence replaced by U+FFFD.
    std::string Text() const;
    // The smallest rectangle holding every outline point; all zero without outline.
    TRect BoundingBox() const noexcept;
    // The corners of the smallest convex polygon holding every outline point, in order around
    // it: a QR code's four corners as Outline gives them, a linear code's few corners instead
    // of every place ZBar's scan lines crossed it.
    std::vector<TPoint> Hull() const;

    friend bool operator==(const TBarcode&, const TBarcode&) = default;
};

} // namespace Vel
