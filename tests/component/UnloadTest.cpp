// Objects made before ZBar was unloaded never call into the freed library: reads raise,
// destruction skips ZBar, and a new activation works with the library loaded again.
#include "ComponentFixtures.h"
#include "Sanitizer.h"
#include "TestPictures.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#if defined(VEL_ADDRESS_SANITIZED)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

constexpr const char* NotLoaded = "ZBar library is not loaded";
constexpr const char* Unloaded = "ZBar library was unloaded after this object was created";

// ZBar objects whose library was freed under them cannot be released any more: their memory
// is abandoned, which the leak checker is told.
class Unload : public LoaderResetTest {
protected:
#if defined(VEL_ADDRESS_SANITIZED)
    Unload() {
        __lsan_disable();
    }
    ~Unload() override {
        __lsan_enable();
    }
#endif

    void ScanCode128() {
        const auto bitmap =
            TestPictures::ToBitmap(Support::RenderBarcode(BARCODE_CODE128, "unload", 2, 10));
        Component.SetActive(true);
        Component.Picture()->Assign(bitmap.get());
        Component.Scan();
        ASSERT_EQ(Component.BarcodeCount(), 1);
    }

    Vel::TVel Component{nullptr};
};

TEST_F(Unload, ResultsAndScannerRaiseWhileUnloadedAndAfterAReload) {
    ScanCode128();
    Vel::UnloadLibrary();
    EXPECT_VEL_ERROR(Component.Barcode(0)->DataAnsi(), NotLoaded);
    EXPECT_VEL_ERROR(Component.Image()->Width(), NotLoaded);

    Vel::LoadLibrary();
    EXPECT_VEL_ERROR(Component.Barcode(0)->Symbology(), Unloaded);
    EXPECT_VEL_ERROR(Component.Barcode(0)->LocationX(0), Unloaded);
    EXPECT_VEL_ERROR(Component.Image()->DataLength(), Unloaded);
    EXPECT_VEL_ERROR(Component.Scan(), Unloaded);
    EXPECT_VEL_ERROR(Component.ImageScanner()->Configure(u"qrcode.enable=0"), Unloaded);
}

TEST_F(Unload, DeactivatingAfterAnUnloadFreesTheWrappersAndAReactivationScans) {
    ScanCode128();
    Vel::UnloadLibrary();
    Component.SetActive(false);
    EXPECT_EQ(Component.Image(), nullptr);
    EXPECT_EQ(Component.BarcodeCount(), 0);

    ScanCode128();
    EXPECT_EQ(Component.Barcode(0)->DataAnsi(), "unload");
}

TEST_F(Unload, WrappersMadeByTheApplicationAreDestroyedSafelyAfterAnUnload) {
    Vel::LoadLibrary();
    auto scanner = std::make_unique<Vel::TVelImageScanner>();
    const unsigned char pixels[4] = {0, 255, 0, 255};
    auto image = std::make_unique<Vel::TVelImage>(Vel::TVelImageFormat::foY800, 2, 2, pixels, 4);
    Vel::UnloadLibrary();
    EXPECT_VEL_ERROR(scanner->EnableCache(), NotLoaded);
    EXPECT_VEL_ERROR(scanner->Scan(image.get()), NotLoaded);
    image.reset();
    scanner.reset();
}

} // namespace
