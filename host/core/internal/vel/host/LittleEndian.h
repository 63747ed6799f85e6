// 16- and 32-bit values in little-endian byte order, the order of BMP files, pixel words and
// resources: read from bytes, written over bytes, or appended to a byte buffer. Defined here
// so that the pixel conversions, which run them for every pixel, inline them.
#pragma once

#include <cstdint>

namespace Host {

inline uint16_t ReadWord(const uint8_t* p) noexcept {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadDWord(const uint8_t* p) noexcept {
    return ReadWord(p) | (uint32_t{ReadWord(p + 2)} << 16);
}

inline void WriteWord(uint8_t* p, uint16_t value) noexcept {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteDWord(uint8_t* p, uint32_t value) noexcept {
    WriteWord(p, static_cast<uint16_t>(value));
    WriteWord(p + 2, static_cast<uint16_t>(value >> 16));
}

// Appends to a byte buffer: a std::string or a std::vector<uint8_t>.
template <class TBytes> void AppendWord(TBytes& out, uint16_t value) {
    using TByte = typename TBytes::value_type;
    out.push_back(static_cast<TByte>(value & 0xFF));
    out.push_back(static_cast<TByte>(value >> 8));
}

template <class TBytes> void AppendDWord(TBytes& out, uint32_t value) {
    AppendWord(out, static_cast<uint16_t>(value));
    AppendWord(out, static_cast<uint16_t>(value >> 16));
}

} // namespace Host
