// Clone of every graphic class: the same class, a copy of the pixels and settings, no change
// handler.
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/GifImage.h"
#include "vel/host/JpegImage.h"
#include "vel/host/PngImage.h"
#include "vel/host/TiffImage.h"
#include "vel/host/WebPImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

using namespace Host;

namespace {

template <class T> std::unique_ptr<TGraphic> Filled() {
    TBitmap bitmap;
    FillTest(bitmap);
    auto graphic = std::make_unique<T>();
    graphic->Assign(&bitmap);
    return graphic;
}

struct CloneCase {
    const char* Name;
    std::function<std::unique_ptr<TGraphic>()> Make;
};

void PrintTo(const CloneCase& c, std::ostream* out) {
    *out << c.Name;
}

class CloneTable : public testing::TestWithParam<CloneCase> {};

TEST_P(CloneTable, CopiesTheClassAndPixelsButNotTheChangeHandler) {
    const std::unique_ptr<TGraphic> original = GetParam().Make();
    int changes = 0;
    original->SetOnChange(TNotifyEvent([&changes](TObject*) { ++changes; }));

    const std::unique_ptr<TGraphic> copy = original->Clone();
    EXPECT_EQ(copy->ClassName(), original->ClassName());
    EXPECT_EQ(Pixels32(*copy), TestPixels);
    EXPECT_FALSE(copy->OnChange().Assigned());
    copy->SetSize(1, 1);
    EXPECT_EQ(original->Width(), TestWidth);
    EXPECT_EQ(Pixels32(*original), TestPixels);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Host, CloneTable,
    testing::Values(CloneCase{"Bitmap", Filled<TBitmap>}, CloneCase{"Png", Filled<TPngImage>},
                    CloneCase{"Jpeg", Filled<TJpegImage>}, CloneCase{"WebP", Filled<TWebPImage>},
                    CloneCase{"Gif", Filled<TGifImage>}, CloneCase{"Tiff", Filled<TTiffImage>}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Clone, KeepsEachClassOwnSettings) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(TPixelFormat::pf4bit);
    const auto bitmapCopy = bitmap.Clone();
    EXPECT_EQ(static_cast<TBitmap&>(*bitmapCopy).PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(static_cast<TBitmap&>(*bitmapCopy).Palette(), bitmap.Palette());

    TJpegImage jpeg;
    jpeg.SetCompressionQuality(37);
    EXPECT_EQ(static_cast<TJpegImage&>(*jpeg.Clone()).CompressionQuality(), 37);

    TWebPImage webp;
    webp.SetLossless(false);
    webp.SetQuality(12);
    const auto webpCopy = webp.Clone();
    EXPECT_FALSE(static_cast<TWebPImage&>(*webpCopy).Lossless());
    EXPECT_EQ(static_cast<TWebPImage&>(*webpCopy).Quality(), 12);
}

} // namespace
