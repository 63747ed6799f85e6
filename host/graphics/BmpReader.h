// Decoding of BMP files into a bitmap.
#pragma once

#include "vel/host/Bitmap.h"

#include <istream>

namespace Host {

// Reads a BMP file from the stream's position into bitmap (fresh, empty). EInvalidGraphic
// saying why when the data is not a BMP file this reader supports, is truncated or
// corrupt, or declares more pixels than MaxPicturePixels().
void ReadBmp(std::istream& stream, TBitmap& bitmap);

} // namespace Host
