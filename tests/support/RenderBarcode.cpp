#include "RenderBarcode.h"

#include <zint.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace Support {

namespace {

using TSymbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

TSymbol Encode(int symbology, std::string_view data, int scale, int inputMode) {
    TSymbol symbol(ZBarcode_Create(), &ZBarcode_Delete);
    if (!symbol)
        throw std::runtime_error("zint cannot create a symbol");
    symbol->symbology = symbology;
    symbol->scale = static_cast<float>(scale) / 2.0f; // zint's raster scale 1 is 2 pixels
    symbol->show_hrt = 0;
    symbol->input_mode = inputMode;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    const int result = ZBarcode_Encode_and_Buffer(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
        static_cast<int>(data.size()), 0);
    if (result >= ZINT_ERROR)
        throw std::runtime_error("zint cannot encode \"" + std::string(data) +
                                 "\": " + symbol->errtxt);
    return symbol;
}

// zint's bitmap holds RGB triples; its pixels are black or white.
std::uint8_t GrayAt(const zint_symbol& symbol, int x, int y) {
    const unsigned char* rgb =
        symbol.bitmap + 3 * (static_cast<size_t>(y) * symbol.bitmap_width + x);
    return static_cast<std::uint8_t>((rgb[0] + rgb[1] + rgb[2]) / 3);
}

} // namespace

TGrayImage RenderBarcode(int symbology, std::string_view data, int scale, int margin,
                         int inputMode) {
    const TSymbol symbol = Encode(symbology, data, scale, inputMode);
    TGrayImage image;
    image.Width = symbol->bitmap_width + 2 * margin;
    image.Height = symbol->bitmap_height + 2 * margin;
    image.Pixels.assign(static_cast<size_t>(image.Width) * image.Height, 255);
    for (int y = 0; y < symbol->bitmap_height; ++y)
        for (int x = 0; x < symbol->bitmap_width; ++x)
            image.Pixels[static_cast<size_t>(y + margin) * image.Width + x + margin] =
                GrayAt(*symbol, x, y);
    return image;
}

} // namespace Support
