#include "vel/ReadBarcodes.h"

#include "ByteStreamBuffer.h"
#include "ScanArea.h"
#include "vel/Loader.h"
#include "vel/Reader.h"
#include "vel/VelError.h"
#include "vel/host/Errors.h"

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

// Reads, with a reader of its own set up by the options, the picture that load fills.
std::vector<TBarcode> ReadPicture(const TReadOptions& options,
                                  const std::function<void(Host::TPicture&)>& load) {
    LoadZBar();
    TReader reader(options);
    Host::TPicture picture;
    load(picture);
    return reader.Read(picture, options.ScanRect());
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
    TReader reader(options);
    const TRect& rect = options.ScanRect();
    const auto area =
        ClipScanArea(pixels.Width(), pixels.Height(), rect.Left, rect.Top, rect.Width, rect.Height);
    if (!area)
        return {};
    const TGrayView areaView(pixels.Row(area->Top) + area->Left, area->Width, area->Height,
                             pixels.Stride());
    std::vector<TBarcode> barcodes = reader.Read(areaView);
    for (TBarcode& barcode : barcodes)
        for (TPoint& point : barcode.Outline)
            point = {point.X + area->Left, point.Y + area->Top};
    return barcodes;
}

} // namespace Vel
