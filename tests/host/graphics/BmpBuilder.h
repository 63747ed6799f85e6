// Writes BMP files byte by byte, for variants the host's own writer never produces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpFile {
    int32_t Width = 0;
    int32_t Height = 0; // negative: top-down rows
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t HeaderSize = 40; // 12 (OS/2 core), 40, 108 or 124
    std::vector<uint32_t> Palette;
    std::vector<uint32_t> Masks; // after a 40-byte header, or inside a larger one
    std::vector<uint8_t> Pixels; // exactly as stored: padded rows, or RLE codes
};

inline void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline std::string EncodeBmp(const BmpFile& f) {
    std::string header;
    Put32(header, f.HeaderSize);
    if (f.HeaderSize == 12) {
        Put16(header, static_cast<uint32_t>(f.Width));
        Put16(header, static_cast<uint32_t>(f.Height));
        Put16(header, 1);
        Put16(header, f.Bits);
    } else {
        Put32(header, static_cast<uint32_t>(f.Width));
        Put32(header, static_cast<uint32_t>(f.Height));
        Put16(header, 1);
        Put16(header, f.Bits);
        Put32(header, f.Compression);
        Put32(header, static_cast<uint32_t>(f.Pixels.size()));
        Put32(header, 0);
        Put32(header, 0);
        Put32(header, static_cast<uint32_t>(f.Palette.size()));
        Put32(header, 0);
    }
    for (uint32_t mask : f.Masks)
        Put32(header, mask);
    while (header.size() < f.HeaderSize)
        header.push_back(0);
    for (uint32_t colour : f.Palette) {
        header.push_back(static_cast<char>(colour & 0xFF));
        header.push_back(static_cast<char>((colour >> 8) & 0xFF));
        header.push_back(static_cast<char>((colour >> 16) & 0xFF));
        if (f.HeaderSize != 12)
            header.push_back(0);
    }
    std::string out = "BM";
    const auto offset = static_cast<uint32_t>(14 + header.size());
    Put32(out, offset + static_cast<uint32_t>(f.Pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    out += header;
    out.append(f.Pixels.begin(), f.Pixels.end());
    return out;
}
