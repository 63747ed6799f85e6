// Decompression bombs: tiny files that declare pictures of up to 2^28 pixels, within the
// pixel limit, for the tests and the memory benchmark that check what reading them costs.
#pragma once

#include <string>
#include <vector>

struct Bomb {
    const char* Name;
    std::string File;
    bool Valid; // a whole, valid file that decodes; the others end before their pixels do
};

// One of every kind (GIF, PNG, JPEG, WebP, TIFF, BMP with and without RLE, raw and plain PGM).
std::vector<Bomb> MakeBombs();

// A PDF page of one inch drawing a progressive JPEG of 16 x 16 pixels whose frame header says
// 65500 x 65500: its coefficients alone would take 8 GB.
std::string PdfOfAHugeProgressiveJpeg();
