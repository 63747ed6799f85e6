// TVel in stored forms: every property survives writing and reading, the text holds only
// what is stored, and a stored Active applies once the whole form is read.
#include "../graphics/TestPicture.h"
#include "TestForm.h"

#include "vel/Loader.h"
#include "vel/TVel.h"
#include "vel/VelError.h"
#include "vel/host/Bitmap.h"
#include "vel/host/FormText.h"
#include "vel/host/Forms.h"
#include "vel/host/Picture.h"

#include <gtest/gtest.h>

namespace {

using namespace Host;
using Vel::TVel;
using VelTest::TTestForm;

TVel& VelOf(TComponent& root, int index = 0) {
    return dynamic_cast<TVel&>(*root.Components(index));
}

void Paint(TBitmap& bitmap) {
    bitmap.SetSize(5, 3);
    for (int y = 0; y < 3; ++y) {
        auto* row = static_cast<uint32_t*>(bitmap.GetScanline(y));
        for (int x = 0; x < 5; ++x)
            row[x] = 0xFF000000u | static_cast<uint32_t>(x * 0x3F0000 + y * 0x007F00 + x * y * 9);
    }
}

std::vector<String> PropertyNames(const TFormObject& object) {
    std::vector<String> names;
    for (const TFormProperty& property : object.Properties)
        names.push_back(property.Name);
    return names;
}

class VelForm : public testing::Test {
protected:
    void SetUp() override {
        Vel::UnloadLibrary();
        Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
    }
    void TearDown() override { Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName; }
};

TEST_F(VelForm, EveryPropertySurvivesTheRoundTripInStoredOrder) {
    TTestForm form;
    form.SetName(u"Form1");
    form.SetTag(5);
    auto* vel = new TVel(&form);
    vel->SetName(u"Vel1");
    vel->SetTag(-7);
    vel->SetActive(true);
    TBitmap bitmap;
    Paint(bitmap);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    vel->SetPicture(&picture);
    vel->SetScanLeft(1);
    vel->SetScanHeight(2);
    vel->SetScanTop(3);
    vel->SetScanWidth(4);
    vel->SetOnBarcodeDetected(VelTest::TestFormClass().MethodHandler(form, u"Vel1BarcodeDetected"));

    const AnsiString text = WriteForm(form);
    const TFormObject written = ParseFormText(text);
    EXPECT_EQ(PropertyNames(written), std::vector<String>{u"Tag"});
    EXPECT_EQ(PropertyNames(written.Children.at(0)),
              (std::vector<String>{u"Tag", u"Active", u"Picture.Data", u"ScanLeft", u"ScanHeight",
                                   u"ScanTop", u"ScanWidth", u"OnBarcodeDetected"}));
    EXPECT_NE(text.find("OnBarcodeDetected = Vel1BarcodeDetected\n"), AnsiString::npos) << text;

    TTestForm copy;
    ReadForm(text, copy);
    EXPECT_EQ(copy.Name(), u"Form1");
    EXPECT_EQ(copy.Tag(), 5);
    ASSERT_EQ(copy.ComponentCount(), 1);
    TVel& read = VelOf(copy);
    EXPECT_EQ(read.Name(), u"Vel1");
    EXPECT_EQ(read.Tag(), -7);
    EXPECT_TRUE(read.Active());
    EXPECT_EQ(read.Picture()->Graphic()->ClassName(), u"TBitmap");
    EXPECT_EQ(Pixels32(*read.Picture()->Graphic()), Pixels32(*vel->Picture()->Graphic()));
    EXPECT_EQ(read.ScanLeft(), 1);
    EXPECT_EQ(read.ScanHeight(), 2);
    EXPECT_EQ(read.ScanTop(), 3);
    EXPECT_EQ(read.ScanWidth(), 4);
    EXPECT_EQ(read.OnBarcodeDetected().Name(), u"Vel1BarcodeDetected");
    read.OnBarcodeDetected()(&read);
    EXPECT_EQ(copy.Calls, 1);
    EXPECT_EQ(copy.LastSender, &read);
    EXPECT_EQ(form.Calls, 0);
    EXPECT_EQ(WriteForm(copy), text);
}

TEST_F(VelForm, DefaultsAndAboutAreNotWritten) {
    TTestForm form;
    form.SetName(u"Form1");
    (new TVel(&form))->SetName(u"Vel1");
    VelOf(form).SetAbout(u"ignored");
    EXPECT_EQ(WriteForm(form), "object Form1: TTestForm\n  object Vel1: TVel\n  end\nend\n");
}

TEST_F(VelForm, StoredActiveAppliesWhenTheWholeFormIsRead) {
    TTestForm form;
    bool checkedWhileLoading = false;
    form.OnLoaded = [&](TTestForm& root) {
        TVel& vel = VelOf(root);
        EXPECT_TRUE(vel.ComponentState().Contains(csLoading));
        EXPECT_FALSE(vel.Active());
        EXPECT_FALSE(Vel::LoadedLibrary());
        checkedWhileLoading = true;
    };
    ReadForm("object Form1: TTestForm\n  object Vel1: TVel\n    Active = True\n  end\nend\n", form);
    EXPECT_TRUE(checkedWhileLoading);
    TVel& vel = VelOf(form);
    EXPECT_FALSE(vel.ComponentState().Contains(csLoading));
    EXPECT_TRUE(vel.Active());
    EXPECT_TRUE(Vel::LoadedLibrary());
    EXPECT_NE(vel.ImageScanner(), nullptr);
}

TEST_F(VelForm, ALoaderErrorReachesTheReadersCallerAndLeavesTheComponentInactive) {
    Vel::ZBarLibraryName = u"libzbar-missing.so.0";
    TTestForm form;
    try {
        ReadForm("object Form1: TTestForm\n"
                 "  object Vel1: TVel\n    Active = True\n  end\n"
                 "  object Vel2: TVel\n    ScanLeft = 3\n  end\n"
                 "end\n",
                 form);
        FAIL() << "no error";
    } catch (const Vel::EVelError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("libzbar-missing.so.0: ", 0), 0u) << e.what();
    }
    ASSERT_EQ(form.ComponentCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(VelOf(form, i).ComponentState().Contains(csLoading));
    EXPECT_FALSE(VelOf(form).Active());
    EXPECT_EQ(VelOf(form).ImageScanner(), nullptr);
    EXPECT_FALSE(Vel::LoadedLibrary());
    EXPECT_EQ(VelOf(form, 1).ScanLeft(), 3);
}

} // namespace
