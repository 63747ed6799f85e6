// The binary layouts of the resources velrc writes, as in the Windows resource format.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VelRc {

using TBytes = std::vector<uint8_t>;

// A picture as rows of palette indices into the standard 16-colour (VGA) palette, top row
// first.
using TIndexedPicture = std::vector<std::vector<uint8_t>>;

// The standard 16-colour palette as 0x00RRGGBB: index 0 black, index 15 white.
extern const std::array<uint32_t, 16> Vga16Palette;

// The text as resources hold it: little-endian UTF-16 and a terminating 0.
TBytes TextResource(const std::u16string& text);
// A 4-bit DIB (header, palette, bottom-up rows): the content of a bitmap resource.
TBytes BitmapResource(const TIndexedPicture& picture);
// The same with the doubled height and the transparency mask an icon image carries.
TBytes IconResource(const TIndexedPicture& picture);
// The icon group that names the icon image with the number.
TBytes IconGroupResource(const TIndexedPicture& picture, uint16_t iconNumber, size_t iconSize);
// Block block of a string table: its 16 strings (missing ones empty).
TBytes StringBlockResource(const std::map<uint16_t, std::u16string>& strings, uint16_t block);
// A version record with the fixed versions, translation and texts.
TBytes VersionResource(const std::array<uint16_t, 4>& version, uint16_t language, uint16_t codePage,
                       const std::map<std::u16string, std::u16string>& texts);

} // namespace VelRc
