// TReader: finds the barcodes in a gray picture with ZBar, in one pass or, at higher effort,
// with retry passes over transformed copies of the picture (scaled, thresholded, inverted,
// ...) where ZBar's own pass finds nothing. Every pass runs on a fresh ZBar scanner, so a
// result depends on the picture alone. A symbol that only a retry pass found is reported
// only when it holds up (see InventionGuard); QR text and EAN/UPC add-ons are made whole.
#pragma once

#include "vel/Enumerations.h"
#include "vel/host/Export.h"
#include "vel/host/Picture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vel {

// How hard the reader tries.
enum class TVelEffort : std::uint8_t {
    efFast,     // ZBar's defaults, one pass: exactly what TVel's Scan finds
    efNormal,   // plus whole QR text, add-ons and the cheapest retry passes
    efThorough, // every retry pass that pays
};

struct TReaderOptions {
    TVelEffort Effort = TVelEffort::efNormal;
    // ZBar configuration texts ("ean13.disable", "x-density=2"), applied in order to every
    // pass's scanner after the settings of the effort and the pass. A text that sets QR's
    // binary setting leaves QR data as ZBar gives them.
    std::vector<std::string> Configs;
};

// A borrowed gray picture: one byte per pixel, 0 black to 255 white, rows from the top, no
// gap between rows (width x height bytes).
struct TGrayView {
    const std::uint8_t* Data = nullptr;
    int Width = 0;
    int Height = 0;
};

struct TReadPoint {
    int X = 0;
    int Y = 0;
};

// One barcode a reader found, copied out of ZBar.
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
    std::vector<TReadPoint> Points; // the outline, in the coordinates of the picture read
    std::string Pass;               // the pass that found it: "default", "density3", ...
};

// The add-on as it follows the symbology's name in a reader's results: "+2", "+5", or
// nothing. (ZBar's own add-on name is empty in the 0.23 series, which never joins add-ons.)
VEL_API std::string AddonName(TVelSymbologyAddon addon);

class TPassRunner;

class VEL_API TReader {
public:
    // ZBar must be loaded. Raises EVelError "Configuration error: 'TEXT'" for a
    // configuration text ZBar refuses.
    explicit TReader(TReaderOptions options = {});
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    const TReaderOptions& Options() const noexcept;

    // The barcodes in the gray picture, in the order the passes found them.
    std::vector<TReadBarcode> Read(TGrayView gray);
    // The barcodes in a rectangle of the picture (a width or height of 0 reaches the
    // picture's edge), with outlines in picture coordinates; nothing when the rectangle
    // lies beyond the picture or the picture is empty.
    std::vector<TReadBarcode> Read(const Host::TPicture& picture, int left = 0, int top = 0,
                                   int width = 0, int height = 0);

private:
    std::unique_ptr<TPassRunner> FRunner; // the options and the passes' working buffers
};

} // namespace Vel
