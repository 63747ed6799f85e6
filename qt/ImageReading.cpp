#include "vel/qt/ImageReading.h"

#include "vel/GrayView.h"
#include "vel/Loader.h"
#include "vel/VelError.h"
#include "vel/host/Bitmap.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace VelQt {

namespace {

// QImage's 32-bit formats hold a pixel as a native 32-bit word, the host's pf32bit as a
// little-endian one: the rows are copied as they are only where the two agree.
static_assert(std::endian::native == std::endian::little);

void CheckRect(const Vel::TRect& rect) {
    if (rect.Left < 0 || rect.Top < 0 || rect.Width < 0 || rect.Height < 0) {
        const std::string values = std::to_string(rect.Left) + ", " + std::to_string(rect.Top) +
                                   ", " + std::to_string(rect.Width) + ", " +
                                   std::to_string(rect.Height);
        throw Vel::EVelError(u"The scan rectangle " + Host::FromAnsi(values) +
                             u" has a negative value");
    }
}

// The end of a span cut to limit; a length of 0 reaches the limit.
int SpanEnd(int start, int length, int limit) {
    if (length == 0)
        return limit;
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{start} + length, limit));
}

// The rectangle cut to the image, as the component cuts a scan rectangle to its picture.
std::optional<Vel::TRect> AreaOf(const QImage& image, const Vel::TRect& rect) {
    if (rect.Left >= image.width() || rect.Top >= image.height())
        return std::nullopt;
    return Vel::TRect{rect.Left, rect.Top,
                      SpanEnd(rect.Left, rect.Width, image.width()) - rect.Left,
                      SpanEnd(rect.Top, rect.Height, image.height()) - rect.Top};
}

// A gray image read in place: a view of the area's rows at the image's stride.
std::vector<Vel::TBarcode> ReadGray(Vel::TReader& reader, const QImage& image,
                                    const Vel::TRect& rect) {
    const std::optional<Vel::TRect> area = AreaOf(image, rect);
    if (!area)
        return {};
    const auto stride = static_cast<int>(image.bytesPerLine());
    const Vel::TGrayView view(image.constScanLine(area->Top) + area->Left, area->Width,
                              area->Height, stride);
    std::vector<Vel::TBarcode> barcodes = reader.Read(view);
    for (Vel::TBarcode& barcode : barcodes) {
        barcode.Page = 1;
        for (Vel::TPoint& point : barcode.Outline)
            point = {point.X + area->Left, point.Y + area->Top};
    }
    return barcodes;
}

} // namespace

void ImageToPicture(const QImage& image, Host::TPicture& picture) {
    const bool colourAsIs =
        image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
    const QImage colour = colourAsIs ? image : image.convertToFormat(QImage::Format_ARGB32);
    Host::TBitmap bitmap;
    bitmap.SetSize(colour.width(), colour.height());
    const auto rowBytes = static_cast<std::size_t>(colour.width()) * 4;
    for (int y = 0; y < colour.height(); ++y)
        std::memcpy(bitmap.GetScanline(y), colour.constScanLine(y), rowBytes);
    // The picture's copy shares the bitmap's pixels.
    picture.SetGraphic(&bitmap);
}

std::vector<Vel::TBarcode> ReadImage(Vel::TReader& reader, const QImage& image,
                                     const Vel::TRect& rect) {
    CheckRect(rect);
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_Grayscale8)
        return ReadGray(reader, image, rect);
    Host::TPicture picture;
    ImageToPicture(image, picture);
    return reader.Read(picture, rect);
}

QList<TQtBarcode> ReadBarcodes(const QImage& image, const Vel::TReadOptions& options) {
    Vel::LoadLibrary();
    Vel::TReader reader(options);
    return ToQt(ReadImage(reader, image, options.ScanRect()));
}

} // namespace VelQt
