// Encoding of a bitmap as a BMP file.
#pragma once

#include "vel/host/Bitmap.h"

#include <ostream>

namespace Host {

// Writes the bitmap as a bottom-up BMP file in its own pixel format: 1, 4 or 8 bits with
// its palette, 16 bits (5-5-5, or 5-6-5 as bit fields), 24 or 32 bits. EInvalidGraphic for
// an empty bitmap, EWriteError when the stream fails.
void WriteBmp(const TBitmap& bitmap, std::ostream& stream);

} // namespace Host
