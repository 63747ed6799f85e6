// Writes BMP files byte by byte, for variants the host's own writer never produces.
#pragma once

#include "vel/host/BmpFormat.h"
#include "vel/host/LittleEndian.h"

#include <cstdint>
#include <string>
#include <vector>

struct BmpFile {
    int32_t Width = 0;
    int32_t Height = 0; // negative: top-down rows
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t HeaderSize = Host::BmpInfoHeaderSize; // 12 (OS/2 core), 40, 108 or 124
    std::vector<uint32_t> Palette;
    std::vector<uint32_t> Masks; // after a 40-byte header, or inside a larger one
    std::vector<uint8_t> Pixels; // exactly as stored: padded rows, or RLE codes
};

inline std::string EncodeBmp(const BmpFile& f) {
    std::string header;
    Host::AppendDWord(header, f.HeaderSize);
    if (f.HeaderSize == Host::BmpCoreHeaderSize) {
        Host::AppendWord(header, static_cast<uint16_t>(f.Width));
        Host::AppendWord(header, static_cast<uint16_t>(f.Height));
        Host::AppendWord(header, 1);
        Host::AppendWord(header, f.Bits);
    } else {
        Host::AppendDWord(header, static_cast<uint32_t>(f.Width));
        Host::AppendDWord(header, static_cast<uint32_t>(f.Height));
        Host::AppendWord(header, 1);
        Host::AppendWord(header, f.Bits);
        Host::AppendDWord(header, f.Compression);
        Host::AppendDWord(header, static_cast<uint32_t>(f.Pixels.size()));
        Host::AppendDWord(header, 0);
        Host::AppendDWord(header, 0);
        Host::AppendDWord(header, static_cast<uint32_t>(f.Palette.size()));
        Host::AppendDWord(header, 0);
    }
    for (uint32_t mask : f.Masks)
        Host::AppendDWord(header, mask);
    while (header.size() < f.HeaderSize)
        header.push_back(0);
    for (uint32_t colour : f.Palette) {
        header.push_back(static_cast<char>(colour & 0xFF));
        header.push_back(static_cast<char>((colour >> 8) & 0xFF));
        header.push_back(static_cast<char>((colour >> 16) & 0xFF));
        if (f.HeaderSize != Host::BmpCoreHeaderSize)
            header.push_back(0);
    }
    std::string out = "BM";
    const auto offset = static_cast<uint32_t>(Host::BmpFileHeaderSize + header.size());
    Host::AppendDWord(out, offset + static_cast<uint32_t>(f.Pixels.size()));
    Host::AppendDWord(out, 0);
    Host::AppendDWord(out, offset);
    out += header;
    out.append(f.Pixels.begin(), f.Pixels.end());
    return out;
}
