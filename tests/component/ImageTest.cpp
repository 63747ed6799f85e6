#include "LoaderFixtures.h"
#include "vel/Vel.h"

#include <gmock/gmock.h>

#include <array>
#include <climits>
#include <cstdint>

using namespace Vel;
using FakeZBar::ArgOf;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

constexpr unsigned long long Y800 = 0x30303859;
constexpr unsigned long long Gray = 0x59415247;

} // namespace

TEST_F(FakeZBarTest, ImageHandsZBarItsFormatSizeAndTheCallersBuffer) {
    std::array<std::uint8_t, 12> pixels{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const auto original = pixels;
    {
        TVelImage image(TVelImageFormat::foY800, 4, 3, pixels.data(), 12);
        const auto handle = ArgOf(image.Handle());
        EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_image_create", "zbar_image_set_format",
                                                  "zbar_image_set_size", "zbar_image_set_data"));
        EXPECT_THAT(Fake.CallsTo("zbar_image_set_format")[0].Args, ElementsAre(handle, Y800));
        EXPECT_THAT(Fake.CallsTo("zbar_image_set_size")[0].Args, ElementsAre(handle, 4, 3));
        EXPECT_THAT(Fake.CallsTo("zbar_image_set_data")[0].Args,
                    ElementsAre(handle, ArgOf(pixels.data()), 12, 0));

        EXPECT_EQ(image.Format(), TVelImageFormat::foY800);
        EXPECT_EQ(image.Width(), 4);
        EXPECT_EQ(image.Height(), 3);
        EXPECT_EQ(image.DataLength(), 12);
        EXPECT_EQ(image.Data(), pixels.data());
        Fake.Reset();
    }
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_image_destroy"));
    EXPECT_EQ(Fake.LiveObjects(), 0);
    EXPECT_EQ(pixels, original);
}

TEST_F(FakeZBarTest, ImageFormatReadsBackY800OrElseGray) {
    std::uint8_t pixel = 0;
    TVelImage image(TVelImageFormat::foGray, 1, 1, &pixel, 1);
    EXPECT_EQ(Fake.CallsTo("zbar_image_set_format")[0].Args[1], Gray);
    EXPECT_EQ(image.Format(), TVelImageFormat::foGray);

    zbar_image_set_format(image.Handle(), ZBar::zbar_fourcc_parse("GREY"));
    EXPECT_EQ(image.Format(), TVelImageFormat::foGray);
    zbar_image_set_format(image.Handle(), ZBar::zbar_fourcc_parse("Y800"));
    EXPECT_EQ(image.Format(), TVelImageFormat::foY800);
}

TEST_F(FakeZBarTest, ImageAcceptsAnEmptyImageWithoutData) {
    TVelImage image(TVelImageFormat::foY800, 0, 0, nullptr, 0);
    EXPECT_EQ(image.DataLength(), 0);
}

TEST_F(FakeZBarTest, ImageRaisesWhenZBarCannotCreateIt) {
    Fake.SetResult("zbar_image_create", 0);
    std::uint8_t pixel = 0;
    EXPECT_VEL_ERROR(TVelImage(TVelImageFormat::foY800, 1, 1, &pixel, 1),
                     "Can't create ZBar Image");
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_image_create"));
}

TEST_F(FakeZBarTest, ImageRejectsABufferThatCannotHoldThePixels) {
    std::array<std::uint8_t, 12> pixels{};
    struct {
        int Width;
        int Height;
        const void* Data;
        int DataLength;
        const char* Message;
    } const cases[] = {
        {-1, 3, pixels.data(), 12, "Image size -1 x 3 is negative"},
        {4, -3, pixels.data(), 12, "Image size 4 x -3 is negative"},
        {4, 3, nullptr, 12, "Image data is null for a 4 x 3 image of data length 12"},
        {0, 0, nullptr, 5, "Image data is null for a 0 x 0 image of data length 5"},
        {4, 3, pixels.data(), 11, "Image data length 11 is less than 4 x 3 = 12 bytes"},
        {4, 3, pixels.data(), -1, "Image data length -1 is less than 4 x 3 = 12 bytes"},
        {65536, 65536, pixels.data(), INT_MAX,
         "Image data length 2147483647 is less than 65536 x 65536 = 4294967296 bytes"},
    };
    for (const auto& c : cases)
        EXPECT_VEL_ERROR(
            TVelImage(TVelImageFormat::foY800, c.Width, c.Height, c.Data, c.DataLength), c.Message);
    EXPECT_TRUE(Fake.Calls().empty());
}
