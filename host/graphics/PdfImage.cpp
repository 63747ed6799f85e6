#include "vel/host/PdfImage.h"

#include "CodecSupport.h"
#include "PageCursor.h"
#include "PictureSize.h"
#include "PixelFormats.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace Host {

namespace {

constexpr const char* Kind = "PDF";

void IgnoreMessage(const std::string&, void*) {}

// The memory libjpeg may give the whole-image buffers of a JPEG drawn inside a page (the
// coefficients of a progressive one), in its JPEGMEM form of thousands of bytes: 8 bytes a
// pixel of the pixel limit, enough for any picture within it. An image that needs more (a
// 12 KB page can declare one of 65500 x 65500 pixels, 8 GB of coefficients) fails in libjpeg
// and is left out of the page instead of being allocated. A JPEGMEM the user set stays.
void LimitJpegMemory() {
    const std::string thousands = std::to_string(LargestPictureBytes() / 1000);
    setenv("JPEGMEM", thousands.c_str(), 0);
}

// poppler prints its complaints about damaged documents to the terminal by default. Set up
// once, before the first document; the environment is changed only then, so no other
// thread's reading of it can meet a moved table.
void SetUpPoppler() {
    static std::once_flag once;
    std::call_once(once, [] {
        poppler::set_debug_error_function(IgnoreMessage, nullptr);
        LimitJpegMemory();
    });
}

// Pixels across a length in points (1/72 inch) at the resolution, as poppler rounds them;
// saturated far beyond any pixel limit, 0 for no length.
uint64_t PixelsAcross(double points, int resolution) {
    const double pixels = std::ceil(points * resolution / 72.0);
    if (!(pixels >= 1))
        return 0;
    return pixels > 1e12 ? uint64_t{1000000000000} : static_cast<uint64_t>(pixels);
}

std::unique_ptr<poppler::document> OpenDocument(const std::string& data) {
    SetUpPoppler();
    if (data.size() > INT_MAX)
        ThrowInvalid(Kind, "the document is larger than 2 GiB");
    // poppler reads the bytes in place: data outlives the document.
    std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(data.data(), static_cast<int>(data.size())));
    if (!document)
        ThrowInvalid(Kind, "the document is damaged or is no PDF");
    if (document->is_locked())
        ThrowInvalid(Kind, "the document is encrypted with a password");
    return document;
}

// Spreads the drawn page's gray bytes into opaque colours of equal red, green and blue, which
// a gray conversion of any weights summing to one turns back into the same bytes; any part
// poppler drew smaller stays white.
void SpreadGray(const poppler::image& image, TColor32* pixels, uint64_t width, uint64_t height) {
    const auto columns = std::min<uint64_t>(width, static_cast<uint64_t>(image.width()));
    const auto rows = std::min<uint64_t>(height, static_cast<uint64_t>(image.height()));
    for (uint64_t y = 0; y < height; ++y) {
        TColor32* out = pixels + y * width;
        uint64_t x = 0;
        if (y < rows) {
            const auto* gray = reinterpret_cast<const uint8_t*>(image.const_data()) +
                               y * static_cast<uint64_t>(image.bytes_per_row());
            for (; x < columns; ++x)
                out[x] = OpaqueGray(gray[x]);
        }
        std::fill(out + x, out + width, 0xFFFFFFFFu);
    }
}

// A document parsed once for all the pages read from it.
class TPdfCursor : public TPageCursor {
public:
    explicit TPdfCursor(TFileBytes file)
        : TPageCursor(std::move(file)), Document(OpenDocument(*Bytes)),
          Pages(std::max(Document->pages(), 0)) {}

    const std::unique_ptr<poppler::document> Document; // reads Bytes in place
    const int Pages;
};

} // namespace

void TPdfImage::LoadFromStream(std::istream& stream) {
    LoadOnePage(stream, Kind);
}

void TPdfImage::LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& slot) {
    TPdfCursor& cursor = CursorOn<TPdfCursor>(slot, file);
    CheckPageCount(Kind, static_cast<uint64_t>(cursor.Pages), PageChoice());
    const std::unique_ptr<poppler::page> page(cursor.Document->create_page(PageChoice().Index));
    if (!page)
        ThrowInvalid(Kind, "page " + std::to_string(PageChoice().Index + 1) + " is damaged");
    const poppler::rectf box = page->page_rect();
    const bool turned = page->orientation() == poppler::page::landscape ||
                        page->orientation() == poppler::page::seascape;
    const int resolution = PageChoice().Resolution;
    const uint64_t width = PixelsAcross(turned ? box.height() : box.width(), resolution);
    const uint64_t height = PixelsAcross(turned ? box.width() : box.height(), resolution);
    TPixelBuffer pixels = AllocatePixels(Kind, width, height);

    poppler::page_renderer renderer;
    // Drawn in gray: a quarter of the bytes of colour for poppler to draw and hand over.
    renderer.set_image_format(poppler::image::format_gray8);
    renderer.set_render_hint(poppler::page_renderer::antialiasing);
    renderer.set_render_hint(poppler::page_renderer::text_antialiasing);
    const poppler::image image = renderer.render_page(page.get(), resolution, resolution);
    if (!image.is_valid() || image.format() != poppler::image::format_gray8)
        ThrowInvalid(Kind, "page " + std::to_string(PageChoice().Index + 1) + " cannot be drawn");
    SpreadGray(image, ColoursOf(pixels), width, height);
    TakePixels(static_cast<int>(width), static_cast<int>(height), std::move(pixels),
               {.PageIndex = PageChoice().Index, .PageCount = cursor.Pages});
}

void TPdfImage::SaveToStream(std::ostream& stream) const {
    ThrowWriteFailure(stream, Kind,
                      "a drawn page is saved as another kind of picture, never as a PDF");
}

} // namespace Host
