// TReader: finds the barcodes in a gray picture with ZBar, in one pass or, at higher effort,
// with retry passes over transformed copies of the picture (scaled, thresholded, inverted,
// ...) where ZBar's own pass finds nothing. Every pass runs on a fresh ZBar scanner, so a
// result depends on the picture alone. A symbol that only a retry pass found is reported
// only when it holds up (see InventionGuard); QR text and EAN/UPC add-ons are made whole.
#pragma once

#include "vel/Barcode.h"
#include "vel/GrayView.h"
#include "vel/ReadOptions.h"
#include "vel/host/Export.h"
#include "vel/host/Picture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vel {

// The add-on as it follows the symbology's name in a reader's results: "+2", "+5", or
// nothing. (ZBar's own add-on name is empty in the 0.23 series, which never joins add-ons.)
VEL_API std::string AddonName(TVelSymbologyAddon addon);

class TPassRunner;
struct TGrayPlane;
struct TPictureGray;
struct TReadBarcode;

class VEL_API TReader {
public:
    // Takes the options' effort and ZBar settings (applied in order to every pass's scanner
    // after the settings of the effort and the pass; a setting of QR's binary mode leaves QR
    // data as ZBar gives them); a reader's own Read calls ignore the options' scan rectangle.
    // Loads ZBar when no library is loaded, as ReadBarcodes does (LoadLibrary; when it cannot
    // be loaded, EVelError naming the file and the way out). Raises EVelError "Configuration
    // error: 'TEXT'" for a setting ZBar refuses.
    explicit TReader(TReadOptions options = {});
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    const TReadOptions& Options() const noexcept;

    // The barcodes in the gray picture, in the order the passes found them; each names the
    // pass that found it. Their Page is 0.
    std::vector<TBarcode> Read(const TGrayView& gray);
    // The barcodes in a rectangle of the picture (a width or height of 0 reaches the
    // picture's edge), with outlines in picture coordinates; nothing when the rectangle
    // lies beyond the picture or the picture is empty. Their Page is the page the picture's
    // graphic holds, counting from 1. To read a file page by page, load each page with
    // Host::TPicture::LoadFromFile(file, {.Index = page - 1, .Resolution =
    // Options().Resolution()}) and read it; the graphic's PageCount() tells how many there are.
    std::vector<TBarcode> Read(const Host::TPicture& picture, const TRect& rect = {});
    // The same, and the picture is left empty (without a graphic): its pixels go as soon as
    // its gray bytes are made, so that the passes hold one byte a pixel, not four beside it.
    std::vector<TBarcode> Read(Host::TPicture&& picture, const TRect& rect = {});

private:
    std::vector<TBarcode> ReadGray(const TPictureGray& gray, int page);
    std::vector<TReadBarcode> ReadPlane(const TGrayPlane& gray);

    std::unique_ptr<TPassRunner> FRunner; // the options and the passes' working buffers
};

} // namespace Vel
