#include "vel/ReadBarcodes.h"

#include "ByteStreamBuffer.h"
#include "ScanArea.h"
#include "vel/Reader.h"
#include "vel/host/Errors.h"
#include "vel/host/PageReader.h"

#include <functional>
#include <istream>
#include <iterator>
#include <optional>
#include <string>

namespace Vel {

namespace {

using TLoadPage = std::function<void(Host::TPicture&, const Host::TPageChoice&)>;

// With RefusePartial, a page read only in part raises; cannotLoad begins the message
// ("Cannot load picture file "NAME"").
void CheckWhole(const Host::TPicture& picture, const TReadOptions& options,
                const Host::String& cannotLoad) {
    const auto incomplete = picture.Graphic()->Incomplete();
    if (!options.RefusePartial() || !incomplete)
        return;
    const std::string what = incomplete->ScansMissing
                                 ? "drawn from the scans that arrived"
                                 : std::to_string(incomplete->RowsRead) + " of " +
                                       std::to_string(incomplete->RowsTotal) + " rows";
    throw Host::EInvalidGraphic(cannotLoad + u": the picture is truncated (" +
                                Host::FromAnsi(what) + u") and whole pictures were asked for");
}

// Reads, with a reader of its own set up by the options, the pages the options choose of the
// picture that load fills with one page: every page when they choose none.
std::vector<TBarcode> ReadPicture(const TReadOptions& options, const TLoadPage& load,
                                  const Host::String& cannotLoad) {
    TReader reader(options); // loads ZBar before any page is read
    Host::TPicture picture;
    std::vector<TBarcode> barcodes;
    // Each page is read into the picture and given up to the reader, which keeps its gray
    // bytes only; the file's number of pages.
    const auto readPage = [&](int page) {
        load(picture, {.Index = page - 1, .Resolution = options.Resolution()});
        CheckWhole(picture, options, cannotLoad);
        const int pages = picture.Graphic()->PageCount();
        std::vector<TBarcode> found = reader.Read(std::move(picture), options.ScanRect());
        barcodes.insert(barcodes.end(), std::make_move_iterator(found.begin()),
                        std::make_move_iterator(found.end()));
        return pages;
    };
    if (!options.Pages().empty()) {
        for (const int page : options.Pages())
            readPage(page);
        return barcodes;
    }
    const int pages = readPage(1);
    for (int page = 2; page <= pages; ++page)
        readPage(page);
    return barcodes;
}

// Loads a page of the picture from a file's content in memory, read into the reader the first
// time; an error names the number of bytes.
void LoadFromBytes(std::optional<Host::TPageReader>& reader, Host::TPicture& picture,
                   std::span<const std::uint8_t> bytes, const Host::TPageChoice& page) {
    try {
        if (!reader) {
            TByteStreamBuffer buffer(bytes);
            std::istream stream(&buffer);
            reader.emplace(stream);
        }
        reader->LoadPage(picture, page);
    } catch (const Host::EInvalidGraphic& error) {
        throw Host::EInvalidGraphic(u"Cannot load the picture of " +
                                    Host::FromAnsi(std::to_string(bytes.size())) +
                                    u" bytes in memory: " + error.Message());
    }
}

} // namespace

std::vector<TBarcode> ReadBarcodes(const std::filesystem::path& file, const TReadOptions& options) {
    // Read once, when ZBar is loaded, for all the pages.
    std::optional<Host::TPageReader> reader;
    return ReadPicture(
        options,
        [&](Host::TPicture& picture, const Host::TPageChoice& page) {
            if (!reader)
                reader.emplace(file);
            reader->LoadPage(picture, page);
        },
        u"Cannot load picture file \"" + Host::FromAnsi(file.native()) + u"\"");
}

std::vector<TBarcode> ReadBarcodes(std::span<const std::uint8_t> encodedPicture,
                                   const TReadOptions& options) {
    std::optional<Host::TPageReader> reader;
    return ReadPicture(
        options,
        [&](Host::TPicture& picture, const Host::TPageChoice& page) {
            LoadFromBytes(reader, picture, encodedPicture, page);
        },
        u"Cannot load the picture of " + Host::FromAnsi(std::to_string(encodedPicture.size())) +
            u" bytes in memory");
}

std::vector<TBarcode> ReadBarcodes(const TGrayView& pixels, const TReadOptions& options) {
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
