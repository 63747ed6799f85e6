// The small picture most decoding tests use, and reading any graphic back as 32-bit pixels.
#pragma once

#include "vel/host/Bitmap.h"

#include <cstdint>
#include <vector>

// 3 x 2 pixels; top row red, green, blue; bottom row white, black, mid gray.
inline constexpr int TestWidth = 3;
inline constexpr int TestHeight = 2;
inline const std::vector<uint32_t> TestPixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                                 0xFFFFFFFF, 0xFF000000, 0xFF808080};

// The graphic's pixels, top row first, after Assign to a bitmap set to pf32bit.
inline std::vector<uint32_t> Pixels32(Host::TGraphic& graphic) {
    Host::TBitmap bitmap;
    bitmap.Assign(&graphic);
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto* row = static_cast<const uint32_t*>(bitmap.GetScanline(y));
        pixels.insert(pixels.end(), row, row + bitmap.Width());
    }
    return pixels;
}

// A pf32bit bitmap holding the pixels, top row first.
inline void Fill(Host::TBitmap& bitmap, int width, int height,
                 const std::vector<uint32_t>& pixels) {
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<uint32_t*>(bitmap.GetScanline(y));
        for (int x = 0; x < width; ++x)
            row[x] = pixels[static_cast<size_t>(y * width + x)];
    }
}

// A pf32bit bitmap holding the test picture.
inline void FillTest(Host::TBitmap& bitmap) {
    Fill(bitmap, TestWidth, TestHeight, TestPixels);
}
