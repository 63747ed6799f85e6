// Turns rows of 32-bit pixels into gray bytes with the weights 0.299, 0.587 and 0.114.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Vel {

// Writes one gray byte per pixel: blue in bits 0 to 7, green in 8 to 15, red in 16 to 23;
// bits 24 to 31 are ignored. The byte is (299 R + 587 G + 114 B) / 1000 rounded to the
// nearest integer, halves to even, computed exactly in integers.
void ConvertRowToGray(const std::uint32_t* pixels, std::size_t count, std::uint8_t* gray) noexcept;

} // namespace Vel
