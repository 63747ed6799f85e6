// Barcodes rendered with libzint as 8-bit gray pictures, for tests and samples.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace Support {

// One byte per pixel, 0 black to 255 white, rows from the top, no gap between rows.
struct TGrayImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// Renders data as a barcode of zint's symbology (BARCODE_EANX, BARCODE_CODE128,
// BARCODE_QRCODE, ... from <zint.h>), each module scale pixels wide, without human-readable
// text, with its quiet zones and a white margin of margin pixels around it. Throws
// std::runtime_error with zint's message when zint refuses the data. inputMode is zint's
// (GS1_MODE for GS1 element strings written "[01]...[10]...").
TGrayImage RenderBarcode(int symbology, std::string_view data, int scale = 2, int margin = 8,
                         int inputMode = 0);

} // namespace Support
