// Reading the barcodes of a picture in one call:
//   for (const auto& b : Vel::ReadBarcodes(argv[1]))
//       std::cout << b.SymbologyName << ':' << b.Text() << '\n';
// ZBar is loaded on the first call (LoadLibrary, from any thread), and every call scans with a
// scanner of its own, so calls on several threads at once are safe. The results are values
// that outlive the call.
//
// Errors: EVelError when ZBar cannot be loaded (the loader's message, then the way out), when
// ZBar refuses a setting (naming it), for a negative scan rectangle or a bad gray view (naming
// the values); the host's exceptions when a picture cannot be read: Host::EFOpenError for a
// file that cannot be opened, Host::EInvalidGraphic for content that cannot be read, both
// naming the file or, for bytes in memory, their number.
#pragma once

#include "vel/Barcode.h"
#include "vel/GrayView.h"
#include "vel/ReadOptions.h"
#include "vel/host/Export.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace Vel {

// The barcodes of a picture file of any kind the host reads (PNG, JPEG, BMP, GIF, TIFF,
// WebP, PNM, PDF), told by its content. The path's bytes go to the file system unchanged.
// Every page of a file of many pages (TIFF directories, GIF frames, PDF pages drawn at the
// options' Resolution) is read, or the options' Pages, page after page; each barcode's Page
// names its page, counting from 1.
VEL_API std::vector<TBarcode> ReadBarcodes(const std::filesystem::path& file,
                                           const TReadOptions& options = {});

// The barcodes of a picture file's content held in memory.
VEL_API std::vector<TBarcode> ReadBarcodes(std::span<const std::uint8_t> encodedPicture,
                                           const TReadOptions& options = {});

// The barcodes of the caller's gray pixels, read in place when their rows have no padding
// and the whole width is scanned.
VEL_API std::vector<TBarcode> ReadBarcodes(const TGrayView& pixels,
                                           const TReadOptions& options = {});

} // namespace Vel
