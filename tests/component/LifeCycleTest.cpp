// TVel's life cycle: activation, the activation put off until a stored form is read, the
// designer, the inactive-component errors, and the events that discard the results. With
// the real libzbar.
#include "ComponentFixtures.h"
#include "TestPictures.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace {

using Vel::TVel;

class LifeCycle : public LoaderResetTest {
protected:
    // An EAN-13 barcode picture in the component, active, scanned once.
    void ScanBarcodePicture() {
        Component.SetActive(true);
        Component.Picture()->Assign(Barcode.get());
        Component.Scan();
        ASSERT_EQ(Component.BarcodeCount(), 1);
    }

    void ExpectNoResults() const {
        EXPECT_EQ(Component.BarcodeCount(), 0);
        EXPECT_EQ(Component.Image(), nullptr);
    }

    const std::unique_ptr<Host::TBitmap> Barcode =
        TestPictures::ToBitmap(Support::RenderBarcode(BARCODE_EANX, "400638133393", 2, 16));
    TVel Component{nullptr};
};

TEST_F(LifeCycle, NewComponentIsInactiveAndEmpty) {
    EXPECT_FALSE(Component.Active());
    EXPECT_EQ(Component.Picture()->Graphic(), nullptr);
    EXPECT_EQ(Component.ScanLeft() | Component.ScanTop() | Component.ScanWidth() |
                  Component.ScanHeight(),
              0);
    EXPECT_EQ(Component.ImageScanner(), nullptr);
    EXPECT_FALSE(Component.OnBarcodeDetected().Assigned());
    ExpectNoResults();
    EXPECT_VEL_ERROR(Component.Barcode(0), "Incorrect index");
}

TEST_F(LifeCycle, InactiveComponentRefusesScanAndConfigureNamingItself) {
    Component.Picture()->Assign(Barcode.get());
    EXPECT_VEL_ERROR(Component.Scan(), "Cannot perform this operation on an inactive  component");
    Component.SetName(u"Reader1");
    const char* message = "Cannot perform this operation on an inactive Reader1 component";
    EXPECT_VEL_ERROR(Component.Scan(), message);
    EXPECT_VEL_ERROR(Component.Configure(Vel::TVelSymbology::syNone,
                                         Vel::TVelSymbologyAddon::saNone, Vel::TVelConfig::coEnable,
                                         1),
                     message);
    ExpectNoResults();
}

TEST_F(LifeCycle, ActivatingTwiceKeepsTheOneScanner) {
    Component.SetActive(true);
    const Vel::TVelImageScanner* scanner = Component.ImageScanner();
    ASSERT_NE(scanner, nullptr);
    Component.SetActive(true);
    EXPECT_EQ(Component.ImageScanner(), scanner);
    EXPECT_TRUE(Component.Active());
}

TEST_F(LifeCycle, DeactivatingAnInactiveComponentChangesNothing) {
    Component.SetActive(false);
    EXPECT_FALSE(Component.Active());
    EXPECT_FALSE(Vel::LoadedLibrary());
}

TEST_F(LifeCycle, FailedActivationLeavesItInactiveAndALaterOneSucceeds) {
    Vel::ZBarLibraryName = u"libzbar-missing.so.0";
    EXPECT_THAT(
        [&] { Component.SetActive(true); },
        testing::ThrowsMessage<Vel::EVelError>(testing::StartsWith("libzbar-missing.so.0: ")));
    EXPECT_FALSE(Component.Active());
    EXPECT_EQ(Component.ImageScanner(), nullptr);
    Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
    Component.SetActive(true);
    EXPECT_TRUE(Component.Active());
    EXPECT_NE(Component.ImageScanner(), nullptr);
}

TEST_F(LifeCycle, StoredActiveIsAppliedWhenLoadingEnds) {
    Component.SetLoading(true);
    Component.SetActive(true);
    EXPECT_FALSE(Component.Active());
    EXPECT_FALSE(Vel::LoadedLibrary()) << "nothing is loaded while the form is read";
    Component.Loaded();
    EXPECT_TRUE(Component.Active());
    EXPECT_TRUE(Vel::LoadedLibrary());
}

TEST_F(LifeCycle, FailedActivationWhenLoadingEndsLeavesLoaded) {
    Vel::ZBarLibraryName = u"libzbar-missing.so.0";
    Component.SetLoading(true);
    Component.SetActive(true);
    EXPECT_THROW(Component.Loaded(), Vel::EVelError);
    EXPECT_FALSE(Component.Active());
    EXPECT_FALSE(Component.ComponentState().Contains(Host::csLoading));
}

TEST_F(LifeCycle, DesignerComponentNeverLoadsZBar) {
    Component.SetDesigning(true);
    Component.SetActive(true);
    EXPECT_TRUE(Component.Active());
    EXPECT_EQ(Component.ImageScanner(), nullptr);
    Component.Configure(Vel::TVelSymbology::syEan13, Vel::TVelSymbologyAddon::saNone,
                        Vel::TVelConfig::coEnable, 0);
    Component.Picture()->Assign(Barcode.get());
    Component.Scan();
    ExpectNoResults();
    EXPECT_FALSE(Vel::LoadedLibrary());
    Component.SetActive(false);
    EXPECT_FALSE(Component.Active());
}

TEST_F(LifeCycle, EventFiresOnceWithTheComponentAfterTheBarcodesAreReadable) {
    int events = 0;
    Component.SetOnBarcodeDetected(Host::TNotifyEvent([&](Host::TObject* sender) {
        ++events;
        EXPECT_EQ(sender, &Component);
        ASSERT_EQ(Component.BarcodeCount(), 1);
        EXPECT_EQ(Component.Barcode(0)->DataAnsi(), "4006381333931");
    }));
    ScanBarcodePicture();
    EXPECT_EQ(events, 1);
}

TEST_F(LifeCycle, EventHandlerMayBeAnyCallable) {
    int events = 0;
    Component.SetOnBarcodeDetected([&events](Host::TObject*) { ++events; });
    ScanBarcodePicture();
    const std::function<void(Host::TObject*)> counter = [&events](Host::TObject*) {
        events += 10;
    };
    Component.SetOnBarcodeDetected(counter);
    Component.Scan();
    EXPECT_EQ(events, 11);
    EXPECT_EQ(Component.OnBarcodeDetected().Object(), nullptr);
}

TEST_F(LifeCycle, PictureWithoutBarcodeKeepsTheImageOnly) {
    Component.SetActive(true);
    Component.Picture()->Assign(
        TestPictures::MakeBitmap(40, 30, [](int, int) { return 0xFFFFFFu; }).get());
    Component.Scan();
    EXPECT_EQ(Component.BarcodeCount(), 0);
    ASSERT_NE(Component.Image(), nullptr);
    EXPECT_EQ(Component.Image()->Width(), 40);
    EXPECT_EQ(Component.Image()->Height(), 30);
}

TEST_F(LifeCycle, EmptyPictureGivesNoResultsAndNoError) {
    Component.SetActive(true);
    Component.Scan();
    ExpectNoResults();
    Host::TBitmap empty;
    Component.Picture()->Assign(&empty);
    Component.Scan();
    ExpectNoResults();
}

TEST_F(LifeCycle, TwoScansInARowKeepOnlyTheSecondResults) {
    ScanBarcodePicture();
    Component.Scan();
    ASSERT_EQ(Component.BarcodeCount(), 1);
    EXPECT_EQ(Component.Barcode(0)->DataAnsi(), "4006381333931");
}

TEST_F(LifeCycle, PictureChangesDiscardTheResults) {
    const std::function<void(TVel&, Host::TBitmap&)> changes[] = {
        [](TVel& c, Host::TBitmap&) { c.SetPicture(nullptr); },
        [](TVel& c, Host::TBitmap& same) {
            Host::TPicture picture;
            picture.Assign(&same);
            c.SetPicture(&picture);
        },
        [](TVel& c, Host::TBitmap& same) { c.Picture()->Assign(&same); },
        [](TVel& c, Host::TBitmap&) { c.SetPicture(c.Picture()); },
        [](TVel& c, Host::TBitmap&) { c.Picture()->Graphic()->MarkModified(); },
    };
    for (const auto& change : changes) {
        ScanBarcodePicture();
        change(Component, *Barcode);
        ExpectNoResults();
    }
}

TEST_F(LifeCycle, PictureChangeWhileLoadingKeepsTheResults) {
    ScanBarcodePicture();
    Component.SetLoading(true);
    Component.Picture()->Graphic()->MarkModified();
    EXPECT_EQ(Component.BarcodeCount(), 1);
}

struct TScanProperty {
    const char* Name;
    int (TVel::*Read)() const noexcept;
    void (TVel::*Write)(int);
};

void PrintTo(const TScanProperty& p, std::ostream* os) {
    *os << p.Name;
}

class ScanProperty : public LifeCycle, public testing::WithParamInterface<TScanProperty> {};

TEST_P(ScanProperty, NegativeValueIsStoredAsZero) {
    (Component.*GetParam().Write)(-5);
    EXPECT_EQ((Component.*GetParam().Read)(), 0);
    (Component.*GetParam().Write)(7);
    EXPECT_EQ((Component.*GetParam().Read)(), 7);
}

TEST_P(ScanProperty, EqualValueKeepsTheResultsAndAnyOtherDiscardsThem) {
    ScanBarcodePicture();
    (Component.*GetParam().Write)(0);
    EXPECT_EQ(Component.BarcodeCount(), 1);
    EXPECT_NE(Component.Image(), nullptr);
    (Component.*GetParam().Write)(-1);
    ExpectNoResults();
    EXPECT_EQ((Component.*GetParam().Read)(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, ScanProperty,
    testing::Values(TScanProperty{"ScanLeft", &TVel::ScanLeft, &TVel::SetScanLeft},
                    TScanProperty{"ScanHeight", &TVel::ScanHeight, &TVel::SetScanHeight},
                    TScanProperty{"ScanTop", &TVel::ScanTop, &TVel::SetScanTop},
                    TScanProperty{"ScanWidth", &TVel::ScanWidth, &TVel::SetScanWidth}),
    [](const testing::TestParamInfo<TScanProperty>& info) { return info.param.Name; });

TEST_F(LifeCycle, SettingsAreLostOnDeactivation) {
    Component.SetActive(true);
    Component.Configure(Vel::TVelSymbology::syEan13, Vel::TVelSymbologyAddon::saNone,
                        Vel::TVelConfig::coEnable, 0);
    Component.Picture()->Assign(Barcode.get());
    Component.Scan();
    EXPECT_EQ(Component.BarcodeCount(), 0);
    Component.SetActive(false);
    ExpectNoResults();
    Component.SetActive(true);
    Component.Scan();
    EXPECT_EQ(Component.BarcodeCount(), 1);
}

TEST_F(LifeCycle, AboutTellsTheVersionAndCannotBeWritten) {
    const Host::String about = Component.About();
    EXPECT_EQ(about.rfind(u"Version 4.5, ", 0), 0u);
    Component.SetAbout(u"something else");
    EXPECT_EQ(Component.About(), about);
}

TEST_F(LifeCycle, DestroyingAnActiveComponentLeavesZBarLoaded) {
    {
        TVel other(nullptr);
        other.SetActive(true);
        other.Picture()->Assign(Barcode.get());
        other.Scan();
        EXPECT_EQ(other.BarcodeCount(), 1);
    }
    EXPECT_TRUE(Vel::LoadedLibrary());
}

TEST_F(LifeCycle, OwnerDestroysTheComponent) {
    auto owner = std::make_unique<Host::TComponent>(nullptr);
    auto* owned = new TVel(owner.get());
    owned->SetActive(true);
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    EXPECT_TRUE(Vel::LoadedLibrary());
}

} // namespace
