// A compressed picture read from a file saves that file's bytes unchanged until its pixels
// or its encoder settings change, so saving a form again never re-encodes a stored JPEG.
#include "Encoders.h"
#include "TestPicture.h"
#include "vel/host/JpegImage.h"
#include "vel/host/Picture.h"
#include "vel/host/WebPImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using namespace Host;

struct TKeptFile {
    const char* Name;
    std::function<std::string()> Make;
    std::function<void(TGraphic&)> Change; // a change after which the graphic re-encodes
};

std::string Saved(const TGraphic& graphic) {
    std::ostringstream out;
    graphic.SaveToStream(out);
    return out.str();
}

std::string GrayJpeg() {
    return MakeJpeg({16, 16, 1, true, RowBytes(16, std::vector<uint8_t>(16, 0x60))});
}

std::string LossyWebP() {
    return MakeWebP(TestWidth, TestHeight, TestPixels, false);
}

class KeptFile : public testing::TestWithParam<TKeptFile> {};

TEST_P(KeptFile, SavesTheFilesBytesUntilTheGraphicChanges) {
    const std::string file = GetParam().Make();
    TPicture picture;
    std::istringstream in(file);
    picture.LoadFromStream(in);
    EXPECT_EQ(Saved(*picture.Graphic()), file);
    const std::unique_ptr<TGraphic> clone = picture.Graphic()->Clone();
    EXPECT_EQ(Saved(*clone), file);
    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(Saved(*copy.Graphic()), file);

    // Reading the saved bytes again gives the same bytes: no generation loss.
    std::istringstream again(Saved(*copy.Graphic()));
    copy.LoadFromStream(again);
    EXPECT_EQ(Saved(*copy.Graphic()), file);

    GetParam().Change(*clone);
    EXPECT_NE(Saved(*clone), file);
    EXPECT_EQ(Saved(*picture.Graphic()), file);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KeptFile,
    testing::Values(TKeptFile{"JpegPixelWritten", GrayJpeg,
                              [](TGraphic& g) {
                                  static_cast<TJpegImage&>(g).GetScanline(0)[0] = 0xFF000000;
                              }},
                    TKeptFile{"JpegMarkedModified", GrayJpeg,
                              [](TGraphic& g) {
                                  g.MarkModified();
                              }},
                    TKeptFile{"JpegQualitySet", GrayJpeg,
                              [](TGraphic& g) {
                                  static_cast<TJpegImage&>(g).SetCompressionQuality(50);
                              }},
                    TKeptFile{"JpegResized", GrayJpeg,
                              [](TGraphic& g) {
                                  g.SetSize(8, 8);
                              }},
                    TKeptFile{"WebPLosslessSet", LossyWebP,
                              [](TGraphic& g) {
                                  static_cast<TWebPImage&>(g).SetLossless(true);
                              }}),
    [](const testing::TestParamInfo<TKeptFile>& info) { return info.param.Name; });

TEST(KeptFile, ReadingAPixelLeavesTheBytesKept) {
    const std::string file = GrayJpeg();
    TJpegImage jpeg;
    std::istringstream in(file);
    jpeg.LoadFromStream(in);
    const TJpegImage& view = jpeg;
    EXPECT_EQ(view.GetScanline(0)[0] & 0xFF000000, 0xFF000000);
    EXPECT_EQ(Pixels32(jpeg).size(), 256u);
    EXPECT_EQ(Saved(jpeg), file);
}

} // namespace
