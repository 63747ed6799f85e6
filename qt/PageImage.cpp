#include "vel/qt/PageImage.h"

#include "vel/host/Bitmap.h"
#include "vel/host/Picture.h"

#include <QFile>

#include <cstdint>
#include <string>
#include <utility>

namespace VelQt {

std::filesystem::path FilePath(const QString& file) {
    const QByteArray bytes = QFile::encodeName(file);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QImage ToQImage(const Host::TGraphic& graphic) {
    // Assign only reads its source; the bitmap shares a compressed graphic's pixels.
    Host::TBitmap bitmap;
    bitmap.Assign(const_cast<Host::TGraphic*>(&graphic));
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    if (bitmap.Empty())
        return {};
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto* in = static_cast<const std::uint32_t*>(std::as_const(bitmap).GetScanline(y));
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x)
            out[x] = in[x] | 0xFF000000u;
    }
    return image;
}

TPageImage LoadPageImage(const QString& file, const Host::TPageChoice& page) {
    Host::TPicture picture;
    picture.LoadFromFile(FilePath(file), page);
    return {ToQImage(*picture.Graphic()), picture.Graphic()->PageCount()};
}

} // namespace VelQt
