// File names are bytes: a picture file whose name is not valid UTF-8 is saved, found and
// named in messages byte for byte, through the String overloads (FromAnsi) and the path ones.
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"
#include "vel/host/Picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Host;

namespace {

// "café.bmp" with the é in Latin-1: one byte 0xE9, which starts no valid UTF-8 sequence.
const std::string Latin1Name = "caf\xE9.bmp";

// The names of the folder's files, as the file system holds them.
std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::unique_ptr<TPicture> TestPicture() {
    TBitmap bitmap;
    FillTest(bitmap);
    auto picture = std::make_unique<TPicture>();
    picture->SetGraphic(&bitmap);
    return picture;
}

struct TFileNameCase {
    const char* Label;
    std::function<void(const TPicture&, const std::filesystem::path&)> Save;
    std::function<void(TPicture&, const std::filesystem::path&)> Load;
};

class NonUtf8FileName : public testing::TestWithParam<TFileNameCase> {};

TEST_P(NonUtf8FileName, IsSavedAndLoadedUnderItsOwnBytes) {
    Support::TTempFolder folder;
    const std::filesystem::path file = folder.Path(Latin1Name);
    GetParam().Save(*TestPicture(), file);
    EXPECT_THAT(FileNames(file.parent_path()), testing::ElementsAre(Latin1Name));
    TPicture loaded;
    GetParam().Load(loaded, file);
    ASSERT_NE(loaded.Graphic(), nullptr);
    EXPECT_EQ(Pixels32(*loaded.Graphic()), TestPixels);
}

INSTANTIATE_TEST_SUITE_P(
    Picture, NonUtf8FileName,
    testing::Values(TFileNameCase{"String",
                                  [](const TPicture& p, const std::filesystem::path& f) {
                                      p.SaveToFile(FromAnsi(f.string()));
                                  },
                                  [](TPicture& p, const std::filesystem::path& f) {
                                      p.LoadFromFile(FromAnsi(f.string()));
                                  }},
                    TFileNameCase{
                        "Path",
                        [](const TPicture& p, const std::filesystem::path& f) { p.SaveToFile(f); },
                        [](TPicture& p, const std::filesystem::path& f) {
                            p.LoadFromFile(f);
                        }},
                    TFileNameCase{"StdString",
                                  [](const TPicture& p, const std::filesystem::path& f) {
                                      p.SaveToFile(f.string());
                                  },
                                  [](TPicture& p, const std::filesystem::path& f) {
                                      p.LoadFromFile(f.string());
                                  }}),
    [](const testing::TestParamInfo<TFileNameCase>& info) { return info.param.Label; });

TEST(NonUtf8FileName, AMissingOneIsNamedByteForByte) {
    Support::TTempFolder folder;
    const std::filesystem::path file = folder.Path(Latin1Name);
    const auto namesTheFile =
        testing::ThrowsMessage<EFOpenError>(testing::HasSubstr("\"" + file.string() + "\": "));
    TPicture picture;
    EXPECT_THAT([&] { picture.LoadFromFile(file); }, namesTheFile);
    EXPECT_THAT([&] { picture.LoadFromFile(FromAnsi(file.string())); }, namesTheFile);
}

TEST(PictureFileName, AUtf16LiteralStillNamesAFile) {
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(u"/nonexistent/caf\u00e9.png"), EFOpenError);
    EXPECT_THROW(picture.SaveToFile(u"/nonexistent/caf\u00e9.png"), EInvalidGraphic)
        << "a picture without graphic has nothing to save";
}

} // namespace
