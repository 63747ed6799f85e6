// The kinds registry: a graphic made by its kind's name writes that kind, and a kind the build
// was made without is still told by its first bytes and refused, saying what is missing.
#include "vel/host/GraphicKinds.h"
#include "Codecs.h"
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Errors.h"
#include "vel/host/Picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <typeinfo>

using namespace Host;
using testing::HasSubstr;

namespace {

class KindByName : public testing::TestWithParam<const char16_t*> {};

TEST_P(KindByName, WritesAPictureThatReadsBackAsThatKind) {
    TBitmap bitmap;
    FillTest(bitmap);
    const std::unique_ptr<TGraphic> graphic = CreateGraphicOfKind(GetParam());
    graphic->Assign(&bitmap);
    Support::TTempFolder folder;
    const String file = FromAnsi(folder.Path("written").string());
    graphic->SaveToFile(file);

    TPicture loaded;
    loaded.LoadFromFile(file);
    ASSERT_NE(loaded.Graphic(), nullptr);
    const TGraphic& original = *graphic;
    const TGraphic& reloaded = *loaded.Graphic();
    EXPECT_EQ(typeid(reloaded), typeid(original));
    EXPECT_EQ(loaded.Width(), TestWidth);
}

INSTANTIATE_TEST_SUITE_P(Host, KindByName,
                         testing::Values(u"BMP", u"PNG", u"JPEG", u"GIF", u"WebP", u"TIFF"),
                         [](const auto& info) { return ToAnsi(info.param); });

TEST(KindByName, AnUnknownNameIsRefusedNamingTheKindsKnown) {
    try {
        CreateGraphicOfKind(u"XPM");
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_THAT(e.what(), HasSubstr("Unknown picture format \"XPM\""));
        EXPECT_THAT(e.what(), HasSubstr("BMP, PNG, JPEG"));
    }
}

TEST(KindLeftOut, APdfDocumentIsRefusedNamingTheFileAndTheSupportMissing) {
    if (Support::ReadsPdf)
        GTEST_SKIP() << "this build draws PDF pages";
    Support::TTempFolder folder;
    const String file = FromAnsi(folder.Write("document.pdf", "%PDF-1.4\n%%EOF\n").string());
    TPicture picture;
    try {
        picture.LoadFromFile(file);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_THAT(e.what(), HasSubstr("document.pdf"));
        EXPECT_THAT(e.what(), HasSubstr("no PDF support (poppler was left out)"));
    }
}

} // namespace
