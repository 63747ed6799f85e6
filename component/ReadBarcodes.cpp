#include "vel/ReadBarcodes.h"

#include "BarcodeValue.h"
#include "ByteStreamBuffer.h"
#include "ScanArea.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/TVel.h"
#include "vel/VelError.h"
#include "vel/VelSymbol.h"
#include "vel/ZBarEntries.h"
#include "vel/host/Errors.h"

#include <algorithm>
#include <functional>
#include <istream>
#include <string>

namespace Vel {

namespace {

// Loads ZBar unless it is loaded; when it cannot be, the message ends with the way out.
void LoadZBar() {
    try {
        LoadLibrary();
    } catch (const EVelError& error) {
        throw EVelError(error.Message() +
                        u"; install libzbar0 (Debian/Ubuntu) or set ZBarLibraryName");
    }
}

void ApplySettings(TVelImageScanner& scanner, const std::vector<std::string>& settings) {
    for (const std::string& setting : settings) {
        try {
            scanner.Configure(Host::FromAnsi(setting));
        } catch (const EVelError& error) {
            throw EVelError(error.Message() + u" in ZBar setting \"" + Host::FromAnsi(setting) +
                            u"\"");
        }
    }
}

// Scans, with a component of its own set up by the options, the picture that load puts into
// the component's picture.
std::vector<TBarcode> ReadPicture(const TReadOptions& options,
                                  const std::function<void(Host::TPicture&)>& load) {
    LoadZBar();
    TVel vel;
    vel.SetActive(true);
    ApplySettings(*vel.ImageScanner(), options.Settings());
    const TRect& rect = options.ScanRect();
    vel.SetScanLeft(rect.Left);
    vel.SetScanTop(rect.Top);
    vel.SetScanWidth(rect.Width);
    vel.SetScanHeight(rect.Height);
    load(*vel.Picture());
    vel.Scan();
    return vel.Barcodes();
}

// Loads the picture from a file's content in memory; an error names the number of bytes.
void LoadFromBytes(Host::TPicture& picture, std::span<const std::uint8_t> bytes) {
    TByteStreamBuffer buffer(bytes);
    std::istream stream(&buffer);
    try {
        picture.LoadFromStream(stream);
    } catch (const Host::EInvalidGraphic& error) {
        throw Host::EInvalidGraphic(u"Cannot load the picture of " +
                                    Host::FromAnsi(std::to_string(bytes.size())) +
                                    u" bytes in memory: " + error.Message());
    }
}

// The area's pixels with no gap between rows: the view's own where its rows follow each other
// without padding across the area, else copied into copy.
const std::uint8_t* AreaPixels(const TGrayView& view, const TScanArea& area,
                               std::vector<std::uint8_t>& copy) {
    if (area.Width == view.Stride())
        return view.Row(area.Top);
    copy.resize(static_cast<std::size_t>(area.Width) * static_cast<std::size_t>(area.Height));
    auto out = copy.begin();
    for (int y = area.Top; y < area.Top + area.Height; ++y)
        out = std::copy_n(view.Row(y) + area.Left, area.Width, out);
    return copy.data();
}

// The values of the image's symbols, the outline moved by the area's origin.
std::vector<TBarcode> ImageBarcodes(const TVelImage& image, const TScanArea& area) {
    std::vector<TBarcode> barcodes;
    for (const auto* symbol = zbar_image_first_symbol(image.Handle()); symbol != nullptr;
         symbol = zbar_symbol_next(symbol))
        barcodes.push_back(BarcodeValue(TVelSymbol(nullptr, symbol), {area.Left, area.Top}));
    return barcodes;
}

} // namespace

std::vector<TBarcode> ReadBarcodes(const std::filesystem::path& file, const TReadOptions& options) {
    return ReadPicture(options, [&file](Host::TPicture& picture) { picture.LoadFromFile(file); });
}

std::vector<TBarcode> ReadBarcodes(std::span<const std::uint8_t> encodedPicture,
                                   const TReadOptions& options) {
    return ReadPicture(options, [encodedPicture](Host::TPicture& picture) {
        LoadFromBytes(picture, encodedPicture);
    });
}

std::vector<TBarcode> ReadBarcodes(const TGrayView& pixels, const TReadOptions& options) {
    LoadZBar();
    TVelImageScanner scanner;
    ApplySettings(scanner, options.Settings());
    const TRect& rect = options.ScanRect();
    const auto area =
        ClipScanArea(pixels.Width(), pixels.Height(), rect.Left, rect.Top, rect.Width, rect.Height);
    if (!area)
        return {};
    const int length = ScanAreaByteCount(*area);
    std::vector<std::uint8_t> copy;
    TVelImage image(TVelImageFormat::foY800, area->Width, area->Height,
                    AreaPixels(pixels, *area, copy), length);
    scanner.Scan(&image);
    return ImageBarcodes(image, *area);
}

} // namespace Vel
