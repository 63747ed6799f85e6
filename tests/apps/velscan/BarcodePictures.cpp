#include "BarcodePictures.h"

#include <fstream>
#include <iterator>

namespace VelScanTest {

TestPictures::TBox SaveBarcodePicture(const std::filesystem::path& file,
                                      const TPlacedBarcode& barcode, TestPictures::TFileKind kind) {
    const auto canvas =
        TestPictures::Place(Support::RenderBarcode(barcode.Symbology, barcode.Data),
                            barcode.CanvasWidth, barcode.CanvasHeight, barcode.X, barcode.Y);
    TestPictures::Save(*TestPictures::ToBitmap(canvas), kind, file);
    return TestPictures::DarkBox(canvas, 0);
}

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

} // namespace VelScanTest
