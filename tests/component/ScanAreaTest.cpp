#include "ScanArea.h"

#include "vel/VelError.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>

namespace {

using Vel::ClipScanArea;
using Vel::TScanArea;

struct ClipCase {
    const char* name;
    int left, top, width, height;
    std::optional<TScanArea> expected;
};

void PrintTo(const ClipCase& c, std::ostream* os) {
    *os << c.name;
}

class ScanAreaClip : public testing::TestWithParam<ClipCase> {};

// A picture of 100 x 80 pixels.
TEST_P(ScanAreaClip, CutsTheRectangleToThePicture) {
    const ClipCase& c = GetParam();
    const std::optional<TScanArea> area = ClipScanArea(100, 80, c.left, c.top, c.width, c.height);
    ASSERT_EQ(area.has_value(), c.expected.has_value());
    if (!area)
        return;
    EXPECT_EQ(area->Left, c.expected->Left);
    EXPECT_EQ(area->Top, c.expected->Top);
    EXPECT_EQ(area->Width, c.expected->Width);
    EXPECT_EQ(area->Height, c.expected->Height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanAreaClip,
    testing::Values(ClipCase{"WholePicture", 0, 0, 0, 0, TScanArea{0, 0, 100, 80}},
                    ClipCase{"Inside", 10, 20, 30, 40, TScanArea{10, 20, 30, 40}},
                    ClipCase{"PastRightEdge", 90, 0, 50, 0, TScanArea{90, 0, 10, 80}},
                    ClipCase{"PastBottomEdge", 0, 70, 0, 50, TScanArea{0, 70, 100, 10}},
                    ClipCase{"LargestWidth", 5, 0, INT_MAX, 0, TScanArea{5, 0, 95, 80}},
                    ClipCase{"LargestBoth", 50, 40, INT_MAX, INT_MAX, TScanArea{50, 40, 50, 40}},
                    ClipCase{"LargestHeight", 0, 3, 0, INT_MAX, TScanArea{0, 3, 100, 77}},
                    ClipCase{"LastPixel", 99, 79, 0, 0, TScanArea{99, 79, 1, 1}},
                    ClipCase{"LeftAtEdge", 100, 0, 0, 0, std::nullopt},
                    ClipCase{"TopAtEdge", 0, 80, 0, 0, std::nullopt},
                    ClipCase{"FarBeyond", INT_MAX, INT_MAX, 1, 1, std::nullopt}),
    [](const testing::TestParamInfo<ClipCase>& info) { return info.param.name; });

TEST(ScanArea, EmptyPictureHasNothingToScan) {
    EXPECT_FALSE(ClipScanArea(0, 80, 0, 0, 0, 0));
    EXPECT_FALSE(ClipScanArea(100, 0, 0, 0, 0, 0));
}

TEST(ScanArea, ByteCountIsWidthTimesHeight) {
    EXPECT_EQ(Vel::ScanAreaByteCount(TScanArea{0, 0, 30, 40}), 1200);
    EXPECT_EQ(Vel::ScanAreaByteCount(TScanArea{0, 0, INT_MAX, 1}), INT_MAX);
}

TEST(ScanArea, ByteCountBeyondZBarsDataLengthRaises) {
    try {
        Vel::ScanAreaByteCount(TScanArea{0, 0, 65536, 32768});
        FAIL() << "no exception";
    } catch (const Vel::EVelError& error) {
        EXPECT_STREQ(error.what(), "The scan area of 65536 x 32768 pixels needs 2147483648 gray "
                                   "bytes, more than the 2147483647 a ZBar image can take");
    }
}

} // namespace
