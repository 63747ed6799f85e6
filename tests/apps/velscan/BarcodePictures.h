// Picture files of barcodes rendered with libzint for the velscan tests, placed on a white
// canvas at a known place.
#pragma once

#include "TestPictures.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace VelScanTest {

struct TPlacedBarcode {
    int Symbology; // zint's, e.g. BARCODE_QRCODE
    std::string_view Data;
    int CanvasWidth = 320;
    int CanvasHeight = 240;
    int X = 60; // where the rendered barcode's top left corner goes
    int Y = 50;
};

// Saves the barcode as a picture file of the kind; the box of its dark pixels.
TestPictures::TBox SaveBarcodePicture(const std::filesystem::path& file,
                                      const TPlacedBarcode& barcode,
                                      TestPictures::TFileKind kind = TestPictures::TFileKind::Png);

// The file's bytes.
std::string FileBytes(const std::filesystem::path& file);

} // namespace VelScanTest
