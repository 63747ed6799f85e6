// Reading the barcodes of a QImage. A Format_Grayscale8 image is read in place, its rows at
// their stride; every other format is converted to straight (not premultiplied) 32-bit colour
// and read through the component's own gray conversion, the one TVel's scan and picture files
// go through, so a QImage and the file it was loaded from give the same barcodes.
#pragma once

#include "vel/Barcode.h"
#include "vel/Geometry.h"
#include "vel/ReadOptions.h"
#include "vel/Reader.h"
#include "vel/host/Export.h"
#include "vel/host/Picture.h"
#include "vel/qt/QtBarcode.h"

#include <QImage>
#include <QList>

#include <vector>

namespace VelQt {

// The barcodes in a rectangle of the image (a width or height of 0 reaching the image's edge,
// as TReadOptions::ScanRect), with outlines in coordinates of the whole image; their Page is
// 1, a QImage being a picture of one page. Nothing for a null image or a rectangle beyond
// it. Raises EVelError for a negative rectangle value, Host::EInvalidGraphic for an image
// above Host::MaxPicturePixels() that must be converted.
VEL_API std::vector<Vel::TBarcode> ReadImage(Vel::TReader& reader, const QImage& image,
                                             const Vel::TRect& rect = {});

// In one call: loads ZBar (EVelError naming the library when it cannot be loaded) and reads
// the image with a reader set up by the options: effort, ZBar settings and scan rectangle.
VEL_API QList<TQtBarcode> ReadBarcodes(const QImage& image, const Vel::TReadOptions& options = {});

// A host picture holding a 32-bit bitmap with the image's colours, alpha kept, as the
// component's pictures hold them. Host::EInvalidGraphic above Host::MaxPicturePixels().
VEL_API void ImageToPicture(const QImage& image, Host::TPicture& picture);

} // namespace VelQt
