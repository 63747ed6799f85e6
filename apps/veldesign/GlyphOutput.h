// Palette glyphs for a person at a terminal: drawn with ANSI colours or with characters,
// and exported as BMP or PNG files.
#pragma once

#include "vel/host/Bitmap.h"

#include <iosfwd>
#include <string>

namespace VelDesign {

// Two pixel rows a line with half-block characters in 24-bit colour.
void DrawGlyphInColour(std::ostream& out, const Host::TBitmap& glyph, const std::string& indent);
// Two characters a pixel: "##" for dark pixels, ".." for light ones.
void DrawGlyphInCharacters(std::ostream& out, const Host::TBitmap& glyph,
                           const std::string& indent);

// Writes the glyph as a BMP (in its own 4-bit format) or PNG file, told by format ("bmp" or
// "png"). Host::EFCreateError when the file cannot be written.
void ExportGlyph(const Host::TBitmap& glyph, const std::string& fileName,
                 const std::string& format);

} // namespace VelDesign
