// A 5 x 7 pixel font of the printable ASCII characters, for the labels of annotated pictures.
#pragma once

namespace VelFormats {

inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 7;

// Whether pixel (x, y) of the character's glyph is set, x from the left and y from the top;
// a character outside ' ' to '~' is drawn as '?'.
bool GlyphPixel(char c, int x, int y);

} // namespace VelFormats
