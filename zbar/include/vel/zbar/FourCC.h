// ZBar's four-character codes of pixel formats: the first character in the lowest byte.
#pragma once

#include <cstdint>

namespace ZBar {

// a | b << 8 | c << 16 | d << 24 on 32 bits. The values are not cut to 8 bits: one above 255
// overlaps the next character, and bits beyond bit 31 are lost.
constexpr std::uint32_t zbar_fourcc(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                    std::uint32_t d) noexcept {
    return a | (b << 8) | (c << 16) | (d << 24);
}

// The code of the first four characters of format (fewer if it ends sooner), each taken as an
// unsigned byte; 0 for null.
constexpr std::uint32_t zbar_fourcc_parse(const char* format) noexcept {
    std::uint32_t fourcc = 0;
    if (format == nullptr)
        return fourcc;
    for (unsigned i = 0; i < 4 && format[i] != '\0'; ++i)
        fourcc |= static_cast<std::uint32_t>(static_cast<unsigned char>(format[i])) << (8 * i);
    return fourcc;
}

} // namespace ZBar
