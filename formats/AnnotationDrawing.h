// Drawing what a scan found onto a copy of the picture: the scan rectangle (blue), each
// barcode's outline, the polygon around its points (green), its box (red, on the box's own
// edge pixels and thicker outwards) and a label with its type and the start of its data (black
// on yellow).
#pragma once

#include "vel/batch/Result.h"

#include <vel/host/Bitmap.h>

#include <string>

namespace VelFormats {

inline constexpr Host::TColor32 ScanRectColour = 0xFF0060FF;
inline constexpr Host::TColor32 OutlineColour = 0xFF00C000;
inline constexpr Host::TColor32 BoxColour = 0xFFFF0000;
inline constexpr Host::TColor32 LabelColour = 0xFFFFE000;
inline constexpr Host::TColor32 LabelTextColour = 0xFF000000;

// The barcode's type, a colon and the first 20 characters of its data, each character that
// is not printable ASCII as '?', and "..." when the data goes on.
std::string BarcodeLabel(const Vel::TBarcode& barcode);

// Draws onto the pf32bit bitmap, which holds the result's picture; rect, when not null, is
// the scan rectangle given.
void DrawAnnotation(Host::TBitmap& bitmap, const VelBatch::TPageResult& result,
                    const Vel::TRect* rect);

} // namespace VelFormats
