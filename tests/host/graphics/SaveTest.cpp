// Each kind saves in its own format, made from a bitmap by Assign, and a picture reads the
// file back as the same kind with the same pixels.
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Errors.h"
#include "vel/host/GifImage.h"
#include "vel/host/JpegImage.h"
#include "vel/host/Picture.h"
#include "vel/host/PngImage.h"
#include "vel/host/PnmImage.h"
#include "vel/host/TiffImage.h"
#include "vel/host/WebPImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <typeinfo>

using namespace Host;

namespace {

struct SaveCase {
    std::string Name;
    std::function<std::unique_ptr<TGraphic>()> Create;
    bool KeepsAlpha = true;
    int Tolerance = 0;
};

std::ostream& operator<<(std::ostream& out, const SaveCase& c) {
    return out << c.Name;
}

template <class T> std::function<std::unique_ptr<TGraphic>()> Make() {
    return [] {
        return std::make_unique<T>();
    };
}

// 16 x 16 flat gray quadrants with one partly transparent quadrant: lossy kinds keep
// flat areas close and every lossless kind keeps them exactly.
std::vector<uint32_t> Quadrants(bool alpha) {
    const uint32_t colours[] = {0xFF303030, 0xFFC0C0C0, alpha ? 0x80606060 : 0xFF606060,
                                0xFFFFFFFF};
    std::vector<uint32_t> out;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            out.push_back(colours[(y / 8) * 2 + x / 8]);
    return out;
}

class SaveTable : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveTable, SavesAPictureThatReadsBackAsTheSameKind) {
    const SaveCase& c = GetParam();
    TBitmap bitmap;
    Fill(bitmap, 16, 16, Quadrants(true));
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    std::unique_ptr<TGraphic> graphic = c.Create();
    graphic->Assign(&bitmap);

    Support::TTempFolder folder;
    const String file = FromAnsi(folder.Path("saved.picture").string());
    TPicture picture;
    picture.SetGraphic(graphic.get());
    picture.SaveToFile(file);
    TPicture loaded;
    loaded.LoadFromFile(file);
    ASSERT_NE(loaded.Graphic(), nullptr);
    const TGraphic& original = *graphic;
    const TGraphic& reloaded = *loaded.Graphic();
    EXPECT_EQ(typeid(reloaded), typeid(original));

    const std::vector<uint32_t> expected = Quadrants(c.KeepsAlpha);
    const std::vector<uint32_t> pixels = Pixels32(*loaded.Graphic());
    ASSERT_EQ(pixels.size(), expected.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8)
            ASSERT_LE(std::abs(static_cast<int>((pixels[i] >> shift) & 0xFF) -
                               static_cast<int>((expected[i] >> shift) & 0xFF)),
                      c.Tolerance)
                << "pixel " << i << ": " << std::hex << pixels[i] << " instead of " << expected[i];
}

TEST_P(SaveTable, RefusesToSaveAnEmptyPicture) {
    std::unique_ptr<TGraphic> graphic = GetParam().Create();
    std::stringstream out;
    EXPECT_THROW(graphic->SaveToStream(out), EInvalidGraphic);
}

INSTANTIATE_TEST_SUITE_P(Host, SaveTable,
                         testing::Values(SaveCase{"Bmp", Make<TBitmap>()},
                                         SaveCase{"Png", Make<TPngImage>()},
                                         SaveCase{"Jpeg", Make<TJpegImage>(), false, 4},
                                         SaveCase{"WebP", Make<TWebPImage>()},
                                         SaveCase{"Gif", Make<TGifImage>(), false},
                                         SaveCase{"Tiff", Make<TTiffImage>(), true, 1}),
                         [](const auto& info) { return info.param.Name; });

TEST(Save, LossyWebPStaysClose) {
    TBitmap bitmap;
    Fill(bitmap, 16, 16, Quadrants(false));
    TWebPImage webp;
    webp.Assign(&bitmap);
    webp.SetLossless(false);
    webp.SetQuality(100);
    std::stringstream file;
    webp.SaveToStream(file);
    TWebPImage loaded;
    loaded.LoadFromStream(file);
    const std::vector<uint32_t> pixels = Pixels32(loaded);
    const std::vector<uint32_t> expected = Quadrants(false);
    for (size_t i = 0; i < pixels.size(); ++i)
        ASSERT_LE(
            std::abs(static_cast<int>(pixels[i] & 0xFF) - static_cast<int>(expected[i] & 0xFF)), 8);
}

// The host reads PNM but encodes none: a PNM picture saves the file it was read from, and
// nothing once its pixels change.
TEST(Save, PnmSavesOnlyTheFileItWasReadFrom) {
    const std::string file = "P5 3 2 255\n" + std::string("\0\x80\xFF\x10\x20\x30", 6);
    std::istringstream in(file);
    TPnmImage pnm;
    pnm.LoadFromStream(in);
    std::ostringstream saved;
    pnm.SaveToStream(saved);
    EXPECT_EQ(saved.str(), file);

    pnm.GetScanline(0)[0] = 0xFF000000;
    std::ostringstream changed;
    try {
        pnm.SaveToStream(changed);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot write the PNM picture: the host reads PNM but does not write it");
    }
}

TEST(Save, QualitySettingsAreChecked) {
    TJpegImage jpeg;
    EXPECT_THROW(jpeg.SetCompressionQuality(0), EConvertError);
    EXPECT_THROW(jpeg.SetCompressionQuality(101), EConvertError);
    TWebPImage webp;
    EXPECT_THROW(webp.SetQuality(-1), EConvertError);
}

} // namespace
