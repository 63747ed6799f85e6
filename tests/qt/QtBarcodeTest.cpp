// A barcode as Qt values: the symbology with its add-on, the data as text and bytes, the
// outline as a polygon.
#include "vel/qt/QtBarcode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(QtBarcodeTest, PartsBecomeQtValues) {
    const Vel::TBarcode barcode{.SymbologyName = "EAN-13",
                                .SymbologyAddonName = "+5",
                                .Data = "978020137962412345",
                                .Outline = {{1, 2}, {30, 2}, {30, 40}, {1, 40}},
                                .AddonData = "12345",
                                .Pass = "density3",
                                .Page = 4};
    const VelQt::TQtBarcode qt = VelQt::ToQt(barcode);
    EXPECT_EQ(qt.Symbology, "EAN-13+5");
    EXPECT_EQ(qt.Text, "978020137962412345");
    EXPECT_EQ(qt.Data, QByteArray("978020137962412345"));
    EXPECT_EQ(qt.Outline, QPolygon({QPoint(1, 2), QPoint(30, 2), QPoint(30, 40), QPoint(1, 40)}));
    EXPECT_EQ(qt.Outline.boundingRect(), QRect(1, 2, 30, 39));
    EXPECT_EQ(qt.Page, 4);
    EXPECT_EQ(qt.Pass, "density3");
    EXPECT_EQ(qt.Barcode, barcode);
}

// Bytes that are no UTF-8 show as U+FFFD in the text and stay as they are in the data, zero
// bytes included.
TEST(QtBarcodeTest, BinaryDataKeepsItsBytes) {
    const Vel::TBarcode barcode{.SymbologyName = "QR-Code", .Data = "a\0\xff"s};
    const VelQt::TQtBarcode qt = VelQt::ToQt(barcode);
    EXPECT_EQ(qt.Text, QString::fromUtf16(u"a\0\uFFFD", 3));
    EXPECT_EQ(qt.Data, QByteArray("a\0\xff", 3));
}

TEST(QtBarcodeTest, UnicodeTextIsDecoded) {
    const VelQt::TQtBarcode qt = VelQt::ToQt(Vel::TBarcode{.Data = "Grüße"});
    EXPECT_EQ(qt.Text, QString::fromUtf8("Grüße"));
    EXPECT_EQ(qt.Text.size(), 5);
}

} // namespace
