// The designer with the design package loaded: the palette it registers, and components the
// designer creates, which stay designing and never load ZBar.
#include "vel/host/Designer.h"
#include "vel/Loader.h"
#include "vel/TVel.h"
#include "vel/VelClass.h"
#include "vel/host/Errors.h"
#include "vel/host/Forms.h"
#include "vel/host/RegisterComponents.h"

#include <gtest/gtest.h>

namespace {

using namespace Host;

class Designer : public testing::Test {
protected:
    void SetUp() override {
        Vel::UnloadLibrary();
        Vel::ZBarLibraryName = u"libzbar-bogus.so.0";
    }
    void TearDown() override { Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName; }

    TDesigner FDesigner;
};

TEST_F(Designer, ThePackagePutsExactlyTVelOnPageHalvane) {
    const TDesignPackage& package = FDesigner.LoadPackage(FromAnsi(VELP_FILE));
    EXPECT_EQ(&FDesigner.LoadPackage(FromAnsi(VELP_FILE)), &package); // registered once
    EXPECT_EQ(package.Description(), u"Halvane VEL Component");
    ASSERT_EQ(FDesigner.Palette().size(), 1u);
    const TPalettePage& page = FDesigner.Palette()[0];
    EXPECT_EQ(page.Name, u"Halvane");
    ASSERT_EQ(page.Items.size(), 1u);
    EXPECT_EQ(page.Items[0].Class->Name, u"TVel");
    ASSERT_TRUE(page.Items[0].Glyph);
    EXPECT_EQ(page.Items[0].Glyph->Width(), 24);
    EXPECT_EQ(page.Items[0].Glyph->Height(), 24);
}

TEST_F(Designer, ActiveTrueLoadsNothingAndCreatesNoScanner) {
    FDesigner.LoadPackage(FromAnsi(VELP_FILE));
    auto form = FDesigner.NewForm(u"TForm1", u"Form1");
    TComponent& placed = FDesigner.CreateComponent(*form, u"TVel", u"");
    auto& vel = dynamic_cast<Vel::TVel&>(placed);
    EXPECT_EQ(vel.Name(), u"Vel1");
    EXPECT_TRUE(vel.ComponentState().Contains(csDesigning));
    vel.SetActive(true);
    EXPECT_TRUE(vel.Active());
    EXPECT_EQ(vel.ImageScanner(), nullptr);
    EXPECT_FALSE(Vel::LoadedLibrary());

    const String file = FromAnsi(testing::TempDir() + "designer-active.vfm");
    WriteFormFile(file, *form);
    form.reset();
    const auto reopened = FDesigner.OpenForm(file);
    ASSERT_EQ(reopened->ComponentCount(), 1);
    auto& read = dynamic_cast<Vel::TVel&>(*reopened->Components(0));
    EXPECT_TRUE(read.ComponentState().Contains(csDesigning));
    EXPECT_FALSE(read.ComponentState().Contains(csLoading));
    EXPECT_TRUE(read.Active());
    EXPECT_EQ(read.ImageScanner(), nullptr);
    EXPECT_FALSE(Vel::LoadedLibrary());
}

TEST_F(Designer, HandlerNamesDeclareMethodsOfTheDesignedForm) {
    FDesigner.LoadPackage(FromAnsi(VELP_FILE));
    auto form = FDesigner.NewForm(u"TScanForm", u"ScanForm");
    auto& vel = dynamic_cast<Vel::TVel&>(FDesigner.CreateComponent(*form, u"TVel", u"Scanner"));
    vel.SetOnBarcodeDetected(form->RuntimeClass().MethodHandler(*form, u"ScannerFound"));
    const AnsiString text = WriteForm(*form);
    EXPECT_EQ(text, "object ScanForm: TScanForm\n  object Scanner: TVel\n"
                    "    OnBarcodeDetected = ScannerFound\n  end\nend\n");
}

TEST_F(Designer, PlacingNeedsAPaletteClassAndAFreeName) {
    FDesigner.LoadPackage(FromAnsi(VELP_FILE));
    auto form = FDesigner.NewForm(u"TForm1", u"Form1");
    EXPECT_THROW(FDesigner.CreateComponent(*form, u"TPicture", u""), EComponentError);
    FDesigner.CreateComponent(*form, u"TVel", u"Vel1");
    EXPECT_THROW(FDesigner.CreateComponent(*form, u"TVel", u"VEL1"), EComponentError);
    EXPECT_EQ(FDesigner.CreateComponent(*form, u"TVel", u"").Name(), u"Vel2");
    EXPECT_EQ(form->ComponentCount(), 2);
}

TEST_F(Designer, PackagesThatCannotBeLoadedOrRegistered) {
    EXPECT_THROW(FDesigner.LoadPackage(u"/nonexistent/libnothing.so"), EPackageError);
    // The component library depends on the host library but is no package itself.
    EXPECT_THROW(FDesigner.LoadPackage(FromAnsi(VEL_FILE)), EPackageError);
    EXPECT_TRUE(FDesigner.Palette().empty());
    EXPECT_THROW(RegisterComponents(u"Halvane", {&Vel::TVelClass()}), EComponentError);
}

} // namespace
