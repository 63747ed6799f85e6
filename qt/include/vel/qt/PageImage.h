// Pictures of the host as QImages: a page of a picture file of any kind the host reads (PNG,
// JPEG, BMP, GIF, TIFF, WebP, PNM, PDF pages) loaded for display.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Graphic.h"

#include <QImage>
#include <QString>

#include <filesystem>

namespace VelQt {

// The file name as the bytes Qt hands the file system for it (QFile::encodeName).
VEL_API std::filesystem::path FilePath(const QString& file);

// The graphic as an opaque Format_RGB32 image: the colours the reader turns to gray, alpha
// left out as the reader leaves it out. A null image for an empty graphic.
VEL_API QImage ToQImage(const Host::TGraphic& graphic);

struct TPageImage {
    QImage Image;      // the page, as ToQImage gives it
    int PageCount = 0; // the pages the file holds
};

// One page of a picture file, PDF pages drawn at the choice's resolution, as the reader reads
// it. Raises what Host::TPicture::LoadFromFile raises: Host::EFOpenError when the file cannot
// be opened, Host::EInvalidGraphic naming the file when its content cannot be read or the
// page is past the last.
VEL_API TPageImage LoadPageImage(const QString& file, const Host::TPageChoice& page = {});

} // namespace VelQt
