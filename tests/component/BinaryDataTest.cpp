// Decoded data that holds zero bytes comes back whole, with the real libzbar.
#include "ComponentFixtures.h"
#include "TestPictures.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

class BinaryData : public LoaderResetTest {};

TEST_F(BinaryData, QrCodeWithZeroBytesInsideKeepsEveryByte) {
    const std::string bytes = "Vel\0zero\0\0bytes\x01\x7F end"s;
    const auto bitmap =
        TestPictures::ToBitmap(Support::RenderBarcode(BARCODE_QRCODE, bytes, 4, 16));
    Vel::TVel component(nullptr);
    component.SetActive(true);
    component.Configure(Vel::TVelSymbology::syQrCode, Vel::TVelSymbologyAddon::saNone,
                        Vel::TVelConfig::coBinary, 1);
    component.Picture()->Assign(bitmap.get());
    component.Scan();

    ASSERT_EQ(component.BarcodeCount(), 1);
    const Vel::TVelSymbol& barcode = *component.Barcode(0);
    EXPECT_EQ(barcode.DataLength(), static_cast<int>(bytes.size()));
    EXPECT_EQ(barcode.DataAnsi(), bytes);
    EXPECT_EQ(barcode.Data(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

} // namespace
