// TVel's scan and its results: the image, the gray bytes under it and the barcode list, and
// the barcodes as values.
#include "vel/TVel.h"

#include "BarcodeValue.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/VelSymbol.h"
#include "vel/ZBarEntries.h"

namespace Vel {

void TVel::Scan() {
    CheckActive();
    DiscardResults();
    if (!FImageScanner || !FPicture->Graphic())
        return;
    int width = 0;
    int height = 0;
    FPictureData = GetPictureData(width, height);
    if (FPictureData.empty())
        return;
    FImage =
        std::make_unique<TVelImage>(TVelImageFormat::foY800, width, height, FPictureData.data(),
                                    static_cast<int>(FPictureData.size()));
    const int count = FImageScanner->Scan(FImage.get());
    if (count <= 0)
        return;
    WrapSymbols(count);
    // A copy, so that a handler that replaces the component's handler keeps running intact.
    // Nothing of the component is touched after the handler returns: it may scan again or
    // deactivate the component.
    const Host::TNotifyEvent handler = FOnBarcodeDetected;
    handler(this);
}

// Wraps the first count symbols of the image's result list. When ZBar's list ends early the
// symbol's constructor raises, and the list keeps the wrappers made so far.
void TVel::WrapSymbols(int count) {
    FBarcodes.reserve(static_cast<std::size_t>(count));
    const ZBar::zbar_symbol_t* handle = zbar_image_first_symbol(FImage->Handle());
    for (int i = 0; i < count; ++i) {
        FBarcodes.push_back(std::make_unique<TVelSymbol>(this, handle));
        handle = zbar_symbol_next(handle);
    }
}

std::vector<TBarcode> TVel::Barcodes() const {
    std::vector<TBarcode> barcodes;
    barcodes.reserve(FBarcodes.size());
    for (const auto& symbol : FBarcodes)
        barcodes.push_back(BarcodeValue(*symbol));
    return barcodes;
}

} // namespace Vel
