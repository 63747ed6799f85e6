// TBarcode as a value: its text, its bounding box, copies and comparison. No ZBar involved.
#include "vel/Barcode.h"
#include "ParamLabel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Vel::TBarcode;
using Vel::TPoint;
using Vel::TRect;
using namespace std::string_literals;

struct TTextCase {
    const char* Label;
    std::string Data;
    bool IsText;
    std::string Text;
};

class BarcodeText : public testing::TestWithParam<TTextCase> {};

TEST_P(BarcodeText, IsTheDataWhereItIsUtf8) {
    const TBarcode barcode{.Data = GetParam().Data};
    EXPECT_EQ(barcode.IsText(), GetParam().IsText);
    EXPECT_EQ(barcode.Text(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Barcode, BarcodeText,
                         testing::Values(TTextCase{"Empty", "", true, ""},
                                         TTextCase{"Ascii", "5901234123457", true, "5901234123457"},
                                         TTextCase{"Utf8", "caf\xC3\xA9 \xF0\x9F\x98\x80", true,
                                                   "caf\xC3\xA9 \xF0\x9F\x98\x80"},
                                         TTextCase{"ZeroBytes", "a\0b"s, true, "a\0b"s},
                                         TTextCase{"Latin1", "caf\xE9", false, "caf\xEF\xBF\xBD"},
                                         TTextCase{"Binary", "\xFF\x00\xFE"s, false,
                                                   "\xEF\xBF\xBD\x00\xEF\xBF\xBD"s}),
                         ParamLabel());

struct TBoxCase {
    const char* Label;
    std::vector<TPoint> Outline;
    TRect Box;
};

class BarcodeBoundingBox : public testing::TestWithParam<TBoxCase> {};

TEST_P(BarcodeBoundingBox, HoldsEveryOutlinePoint) {
    EXPECT_EQ(TBarcode{.Outline = GetParam().Outline}.BoundingBox(), GetParam().Box);
}

INSTANTIATE_TEST_SUITE_P(
    Barcode, BarcodeBoundingBox,
    testing::Values(
        TBoxCase{"NoOutline", {}, {0, 0, 0, 0}}, TBoxCase{"OnePoint", {{7, 9}}, {7, 9, 1, 1}},
        TBoxCase{"Quadrilateral", {{10, 20}, {10, 60}, {110, 58}, {112, 21}}, {10, 20, 103, 41}},
        TBoxCase{"ScanLinePoints", {{50, 5}, {4, 5}, {49, 30}, {5, 31}}, {4, 5, 47, 27}}),
    ParamLabel());

struct THullCase {
    const char* Label;
    std::vector<TPoint> Outline;
    std::vector<TPoint> Hull;
};

class BarcodeHull : public testing::TestWithParam<THullCase> {};

TEST_P(BarcodeHull, GivesTheCornersInOrderFromTheOutlinesStart) {
    EXPECT_EQ(TBarcode{.Outline = GetParam().Outline}.Hull(), GetParam().Hull);
}

// ZBar gives a QR code's four corners, and a linear code's every scan line crossing.
INSTANTIATE_TEST_SUITE_P(
    Barcode, BarcodeHull,
    testing::Values(THullCase{"NoOutline", {}, {}}, THullCase{"OnePoint", {{7, 9}}, {{7, 9}}},
                    THullCase{"RepeatedPoint", {{7, 9}, {7, 9}}, {{7, 9}}},
                    THullCase{"QrCornersKeepTheirOrder",
                              {{10, 20}, {10, 60}, {110, 58}, {112, 21}},
                              {{10, 20}, {10, 60}, {110, 58}, {112, 21}}},
                    THullCase{"CornersTheOtherWayRound",
                              {{10, 20}, {112, 21}, {110, 58}, {10, 60}},
                              {{10, 20}, {112, 21}, {110, 58}, {10, 60}}},
                    THullCase{
                        "ScanLineCrossings",
                        {{4, 5}, {20, 5}, {35, 5}, {50, 5}, {49, 30}, {30, 30}, {5, 31}, {20, 18}},
                        {{4, 5}, {50, 5}, {49, 30}, {5, 31}}},
                    THullCase{"StartingInside",
                              {{20, 18}, {4, 5}, {50, 5}, {49, 30}, {5, 31}},
                              {{4, 5}, {50, 5}, {49, 30}, {5, 31}}}),
    ParamLabel());

TEST(Barcode, CopiesCompareEqualAndAnyFieldTellsTwoApart) {
    const TBarcode barcode{.Symbology = Vel::TVelSymbology::syEan13,
                           .SymbologyName = "EAN-13",
                           .Data = "4006381333931",
                           .Quality = 1,
                           .Orientation = Vel::TVelOrientation::orUp,
                           .OrientationName = "UP",
                           .Outline = {{1, 2}, {3, 4}}};
    TBarcode copy = barcode;
    EXPECT_EQ(copy, barcode);
    copy.Outline[1].Y = 5;
    EXPECT_NE(copy, barcode);
    copy = barcode;
    copy.Modifiers.Include(Vel::TVelModifier::moGs1Reserved);
    EXPECT_NE(copy, barcode);
}

} // namespace
