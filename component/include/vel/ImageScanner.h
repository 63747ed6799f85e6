// TVelImageScanner: one ZBar image scanner, which holds the decoder settings and finds the
// barcodes in images. Settings live in ZBar only.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Loader.h"
#include "vel/host/Export.h"
#include "vel/host/Object.h"
#include "vel/host/String.h"
#include "vel/zbar/Types.h"

namespace Vel {

class TVelImage;

class VEL_API TVelImageScanner : public Host::TObject {
public:
    // Raises EVelError when no ZBar library is loaded or ZBar cannot create the scanner.
    TVelImageScanner();
    ~TVelImageScanner() override;

    // Switch ZBar's inter-image result cache on or off.
    void EnableCache();
    void DisableCache();

    // Changes one setting of one symbology (syNone with saNone: every symbology).
    // Raises EVelError "Configuration error" when ZBar refuses it.
    void Configure(TVelSymbology symbology, TVelSymbologyAddon addon, TVelConfig config, int value);
    // Applies the one setting a configuration text in ZBar's syntax names, e.g.
    // "ean13.enable=0". Raises EVelError "Configuration error" when it cannot be parsed (a
    // text holding a NUL cannot) or applied.
    void Configure(const Host::String& config);

    // Scans the image and returns the number of symbols found. Raises EVelError when the
    // image is null or ZBar reports an error ("Scan error").
    int Scan(TVelImage* image);

    // The ZBar scanner, for ZBar's own functions (the table's entries).
    ZBar::zbar_image_scanner_t* Handle() const noexcept { return FHandle; }

private:
    ZBar::zbar_image_scanner_t* FHandle = nullptr;
    TLibraryGeneration FGeneration = 0;
};

} // namespace Vel
