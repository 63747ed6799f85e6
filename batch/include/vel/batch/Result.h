// What a batch reports for one input picture, or one page of a many-page file: its size and
// the barcodes read, or why it was not read.
#pragma once

#include "vel/Barcode.h"
#include "vel/host/Export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VelBatch {

// Why a page has an error, where a caller may act on it; tOther for every other reason.
enum class TErrorKind : std::uint8_t {
    ekNone,       // no error
    ekOther,      // unreadable, missing, crashed, ...: see the message
    ekPixelLimit, // above the pixel limit (Host::SetMaxPicturePixels raises it)
};

struct TPageResult {
    std::string Path;
    int Page = 0;  // the page or frame, counting from 1; 0 when the file was not opened
    int Pages = 0; // the file's number of pages; 0 when the file was not opened
    int Width = 0;
    int Height = 0;
    std::vector<Vel::TBarcode> Barcodes{};
    std::optional<std::string> Error{};        // set when the picture could not be read or scanned
    TErrorKind ErrorKind = TErrorKind::ekNone; // set with Error
    std::optional<std::string> Warning{};      // set when it was read but not scanned as asked
    bool Truncated = false; // the file ends early: only the rows that arrived were read
    std::vector<std::string> ZBarLines{}; // what ZBar wrote to standard error while scanning it

    friend bool operator==(const TPageResult&, const TPageResult&) = default;
};

// A file's results: one for each page scanned, in page order; a single result with the error
// for a file that could not be opened or read as a whole.
using TFileResult = std::vector<TPageResult>;

// The path as messages show it: with "#PAGE" for a page of a many-page file.
VEL_API std::string ShownPath(const TPageResult& result);

} // namespace VelBatch
