#include "vel/Loader.h"
#include "LoaderFixtures.h"
#include "ParamLabel.h"
#include "TableChecks.h"
#include "vel/VelError.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ZBar.h"

#include <gmock/gmock.h>

#include <functional>
#include <string>

using namespace Vel;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

std::string LoadError() {
    try {
        LoadLibrary();
    } catch (const EVelError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(LoaderStateTest, StartsUnloadedWithThePlatformFileName) {
    EXPECT_EQ(ZBarLibraryName, u"libzbar.so.0");
    EXPECT_FALSE(LoadedLibrary());
    EXPECT_EQ(ZBarLibrary, nullptr);
    ExpectTableEmpty();
}

// The file name as bytes sets ZBarLibraryName losslessly, whether UTF-8 or not.
TEST_F(LoaderStateTest, TheLibraryFileIsSetAsBytes) {
    for (const std::string name : {"libzbar.so.0", "/opt/z\xe9"
                                                   "bar/libzbar.so.0"}) {
        SetZBarLibraryFile(name);
        EXPECT_EQ(ZBarLibraryFile().native(), name);
        EXPECT_EQ(Host::ToAnsi(ZBarLibraryName), name);
    }
    SetZBarLibraryFile("libzbar.so.0");
    LoadLibrary();
    EXPECT_TRUE(LoadedLibrary());
}

TEST_F(LoaderStateTest, MissingFileRaisesItsNameAndThePlatformText) {
    ZBarLibraryName = u"/nonexistent/libzbar-missing.so";
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string message = LoadError();
        EXPECT_THAT(message, StartsWith("/nonexistent/libzbar-missing.so: "));
        EXPECT_THAT(message, HasSubstr("No such file"));
        EXPECT_FALSE(LoadedLibrary());
        ExpectTableEmpty();
    }
}

struct TMissingFileCase {
    const char* Label;
    const char* Name;
};

class MissingFileTest : public LoaderStateTest,
                        public testing::WithParamInterface<TMissingFileCase> {};

TEST_P(MissingFileTest, MessageNamesTheFileOnceThenThePlatformText) {
    ZBarLibraryName = Host::FromAnsi(GetParam().Name);
    EXPECT_EQ(LoadError(), std::string(GetParam().Name) +
                               ": cannot open shared object file: No such file or "
                               "directory");
}

INSTANTIATE_TEST_SUITE_P(Loader, MissingFileTest,
                         testing::Values(TMissingFileCase{"BareName", "libnope.so"},
                                         TMissingFileCase{"Path", "/nonexistent/libnope.so"}),
                         ParamLabel());

struct TLackingCase {
    const char* Label;
    const char* Path;
    const char* FirstMissing;
};

class LackingEntryTest : public LoaderStateTest,
                         public testing::WithParamInterface<TLackingCase> {};

TEST_P(LackingEntryTest, RaisesTheFirstMissingNameFreesTheLibraryAndEmptiesTheTable) {
    ZBarLibraryName = Host::FromAnsi(GetParam().Path);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string message = LoadError();
        EXPECT_THAT(message, StartsWith(std::string(GetParam().FirstMissing) + ": "));
        EXPECT_THAT(message, HasSubstr("undefined symbol"));
        EXPECT_FALSE(LoadedLibrary());
        EXPECT_FALSE(ModuleLoaded(GetParam().Path));
        ExpectTableEmpty();
    }
}

INSTANTIATE_TEST_SUITE_P(Loader, LackingEntryTest,
                         testing::Values(TLackingCase{"LackingTheLast", VEL_FAKE_ZBAR_LACKING_LAST,
                                                      "zbar_scanner_get_color"},
                                         TLackingCase{"LackingTheFirst",
                                                      VEL_FAKE_ZBAR_LACKING_FIRST, "zbar_version"}),
                         ParamLabel());

TEST_F(FakeZBarTest, LoadResolvesEveryEntryFromTheLibrary) {
    EXPECT_TRUE(LoadedLibrary());
    ExpectTableFrom(VEL_FAKE_ZBAR);
}

TEST_F(FakeZBarTest, LoadWhileLoadedKeepsTheLibraryEvenWithAnotherName) {
    const Host::TModuleHandle loaded = ZBarLibrary;
    ZBarLibraryName = u"/nonexistent/libzbar-missing.so";
    LoadLibrary();
    EXPECT_EQ(ZBarLibrary, loaded);
    ExpectTableFrom(VEL_FAKE_ZBAR);
}

TEST_F(FakeZBarTest, UnloadEmptiesTheTableOnceAndReloadResolvesAgain) {
    UnloadLibrary();
    EXPECT_FALSE(LoadedLibrary());
    ExpectTableEmpty();
    UnloadLibrary();
    EXPECT_FALSE(LoadedLibrary());

    LoadLibrary();
    EXPECT_TRUE(LoadedLibrary());
    ExpectTableFrom(VEL_FAKE_ZBAR);
}

TEST_F(LoaderStateTest, HelpersRaiseWhileNothingIsLoaded) {
    unsigned char rgb[3] = {};
    const std::function<void()> operations[] = {
        [] { ZBar::zbar_image_scanner_parse_config(nullptr, "ean13.enable=0"); },
        [] { ZBar::zbar_decoder_parse_config(nullptr, "ean13.enable=0"); },
        [] { ZBar::zbar_processor_parse_config(nullptr, "ean13.enable=0"); },
        [] { ZBar::zbar_processor_error_spew(nullptr, 0); },
        [] { ZBar::zbar_video_error_string(nullptr, 0); },
        [] { ZBar::zbar_window_get_error_code(nullptr); },
        [&] { ZBar::zbar_scan_rgb24(nullptr, rgb); },
    };
    for (const auto& operation : operations)
        EXPECT_VEL_ERROR(operation(), "ZBar library is not loaded");
}
