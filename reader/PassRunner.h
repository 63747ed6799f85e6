// Runs one pass: makes its image in the reader's working buffers and scans it with a fresh
// ZBar scanner (ZBar's decoders keep state from one scan to the next), then copies the
// symbols out with their outlines in the picture's coordinates.
#pragma once

#include "Pass.h"
#include "ReadBarcode.h"
#include "SecondEngine.h"
#include "vel/ReadOptions.h"

#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

namespace Vel {

class TPassRunner {
public:
    // Above efFast the scanner takes the raw QR bytes (made text by QrTextToUtf8, unless the
    // options' configuration texts set QR's binary setting themselves) and reads EAN-2 and
    // EAN-5 add-ons (joined by MergeAddons). The options' configuration texts come last.
    // Raises EVelError "Configuration error: 'TEXT'" for a text ZBar refuses.
    explicit TPassRunner(TReadOptions options);

    const TReadOptions& Options() const noexcept { return FOptions; }

    // The pass's findings; a pass of the second engine looks for the codes of scope, its
    // own readings of one code settled (MergeEngines).
    std::vector<TReadBarcode> Run(const TPass& pass, TGrayPlane gray,
                                  TEngineScope scope = TEngineScope::esZBarLacks);

    // Frees the passes' working images (kept from one pass to the next).
    void ReleaseBuffers() { FBuffers = {}; }

private:
    std::vector<TReadBarcode> RunSecondEngine(const TPass& pass, const TWorkImage& image,
                                              TEngineScope scope);
    // The second engine's findings in the image, less the symbologies left out, with their
    // outlines in the picture's coordinates.
    std::vector<TReadBarcode> FindWithSecondEngine(const TWorkImage& image, TEngineScope scope,
                                                   std::string_view pass) const;
    // Removes the codes of the symbologies the options leave out.
    void DropDisabled(std::vector<TReadBarcode>& barcodes) const;

    TReadOptions FOptions;
    bool FQrText = false;
    std::set<TVelSymbology> FDisabled; // left out by the options' choice and settings
    TPassBuffers FBuffers;
};

} // namespace Vel
