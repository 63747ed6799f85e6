// The one-call API with the real libzbar: ReadBarcodes from a file, from its bytes in memory
// and from gray pixels, with options, and its errors.
#include "vel/ReadBarcodes.h"
#include "ComponentFixtures.h"
#include "ParamLabel.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "vel/host/Errors.h"

#include <zint.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing::ElementsAre;
using testing::UnorderedElementsAre;
using Vel::ReadBarcodes;
using Vel::TBarcode;
using Vel::TReadOptions;

constexpr const char* Ean13Data = "4006381333931";
constexpr const char* Code128Data = "Vel right";

// A white picture with an EAN-13 barcode on the left and a Code 128 barcode on the right,
// and the ways of handing it to ReadBarcodes.
class TTwoBarcodes {
public:
    TTwoBarcodes() {
        const auto left = Support::RenderBarcode(BARCODE_EANX, "400638133393", 2, 0);
        const auto right = Support::RenderBarcode(BARCODE_CODE128, Code128Data, 2, 0);
        RightX = 40 + left.Width + 60;
        const int width = RightX + right.Width + 40;
        const int height = std::max(left.Height, right.Height) + 60;
        Picture = TestPictures::Place(left, width, height, 40, 30);
        const auto rightAlone = TestPictures::Place(right, width, height, RightX, 30);
        LeftBox = TestPictures::DarkBox(Picture, 2);
        RightBox = TestPictures::DarkBox(rightAlone, 2);
        std::transform(Picture.Pixels.begin(), Picture.Pixels.end(), rightAlone.Pixels.begin(),
                       Picture.Pixels.begin(),
                       [](std::uint8_t a, std::uint8_t b) { return std::min(a, b); });
    }

    // The picture saved as a file of that name and kind.
    std::filesystem::path
    SavedAs(const std::string& name,
            TestPictures::TFileKind kind = TestPictures::TFileKind::Png) const {
        const std::filesystem::path file = Folder.Path(name);
        TestPictures::Save(*TestPictures::ToBitmap(Picture), kind, file);
        return file;
    }

    // The picture's rows, each followed by stride - width black bytes.
    std::vector<std::uint8_t> PaddedRows(int stride) const {
        std::vector<std::uint8_t> padded(static_cast<std::size_t>(stride) * Picture.Height, 0);
        for (int y = 0; y < Picture.Height; ++y)
            std::copy_n(Picture.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Picture.Width,
                        Picture.Width, padded.begin() + static_cast<std::ptrdiff_t>(y) * stride);
        return padded;
    }

    Support::TGrayImage Picture;
    int RightX = 0;
    TestPictures::TBox LeftBox;
    TestPictures::TBox RightBox;

private:
    Support::TTempFolder Folder;
};

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> DataOf(const std::vector<TBarcode>& barcodes) {
    std::vector<std::string> data;
    for (const TBarcode& barcode : barcodes)
        data.push_back(barcode.Data);
    return data;
}

struct TSourceCase {
    const char* Label;
    std::function<std::vector<TBarcode>(const TTwoBarcodes&, const TReadOptions&)> Read;
};

const TSourceCase SourceCases[] = {
    {"File",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         return ReadBarcodes(two.SavedAs("two.png"), o);
     }},
    {"FileNamedInLatin1",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         return ReadBarcodes(two.SavedAs("caf\xE9.png"), o);
     }},
    {"Bytes",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         const std::vector<std::uint8_t> bytes = FileBytes(two.SavedAs("bytes.png"));
         return ReadBarcodes(std::span<const std::uint8_t>(bytes), o);
     }},
    {"BitmapBytes",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         const std::vector<std::uint8_t> bytes =
             FileBytes(two.SavedAs("bytes.bmp", TestPictures::TFileKind::Bmp));
         return ReadBarcodes(std::span<const std::uint8_t>(bytes), o);
     }},
    {"GrayView",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         const Support::TGrayImage& p = two.Picture;
         return ReadBarcodes(Vel::TGrayView(p.Pixels.data(), p.Width, p.Height), o);
     }},
    {"GrayViewWithPaddedRows",
     [](const TTwoBarcodes& two, const TReadOptions& o) {
         const int stride = two.Picture.Width + 13;
         const std::vector<std::uint8_t> padded = two.PaddedRows(stride);
         return ReadBarcodes(
             Vel::TGrayView(padded.data(), two.Picture.Width, two.Picture.Height, stride), o);
     }},
};

class ReadBarcodesFrom : public LoaderResetTest, public testing::WithParamInterface<TSourceCase> {
protected:
    std::vector<TBarcode> Read(const TReadOptions& options = {}) const {
        return GetParam().Read(Two, options);
    }

    // Every outline point of the barcode lies on its drawn bars.
    void ExpectOnItsBars(const TBarcode& barcode) const {
        const TestPictures::TBox& box = barcode.Data == Ean13Data ? Two.LeftBox : Two.RightBox;
        for (const Vel::TPoint& point : barcode.Outline)
            EXPECT_TRUE(box.Contains(point.X, point.Y))
                << barcode.Data << " (" << point.X << ", " << point.Y << ")";
    }

    TTwoBarcodes Two;
};

TEST_P(ReadBarcodesFrom, FindsBothBarcodesOnTheirBars) {
    const std::vector<TBarcode> found = Read();
    ASSERT_THAT(DataOf(found), UnorderedElementsAre(Ean13Data, Code128Data));
    for (const TBarcode& barcode : found) {
        EXPECT_FALSE(barcode.Outline.empty());
        ExpectOnItsBars(barcode);
    }
}

TEST_P(ReadBarcodesFrom, SettingsApplyInOrder) {
    EXPECT_THAT(
        DataOf(Read(TReadOptions().AddSetting("ean13.disable").AddSetting("code128.enable"))),
        ElementsAre(Code128Data));
    EXPECT_THAT(DataOf(Read(TReadOptions().SetSettings({"disable", "code128.enable"}))),
                ElementsAre(Code128Data));
    EXPECT_TRUE(Read(TReadOptions().SetSettings({"code128.enable", "disable"})).empty());
}

TEST_P(ReadBarcodesFrom, ScanRectangleChoosesTheBarcodeAndOutlinesStayInPictureCoordinates) {
    const std::vector<TBarcode> right =
        Read(TReadOptions().SetScanRect({Two.RightX - 20, 5, 0, 0}));
    ASSERT_THAT(DataOf(right), ElementsAre(Code128Data));
    ExpectOnItsBars(right[0]);
    const std::vector<TBarcode> left = Read(TReadOptions().SetScanRect({0, 0, Two.RightX - 20, 0}));
    ASSERT_THAT(DataOf(left), ElementsAre(Ean13Data));
    ExpectOnItsBars(left[0]);
    EXPECT_TRUE(Read(TReadOptions().SetScanRect({Two.Picture.Width, 0, 0, 0})).empty());
}

TEST_P(ReadBarcodesFrom, SettingZBarRefusesRaisesNamingIt) {
    EXPECT_VEL_ERROR(Read(TReadOptions().AddSetting("code128.enable").AddSetting("ean13.bogus=1")),
                     "Configuration error: 'ean13.bogus=1'");
}

INSTANTIATE_TEST_SUITE_P(Sources, ReadBarcodesFrom, testing::ValuesIn(SourceCases), ParamLabel());

class ReadBarcodesTest : public LoaderResetTest {
protected:
    TTwoBarcodes Two;
};

TEST_F(ReadBarcodesTest, ScanThisFileAndPrintItsCodesIsThreeLines) {
    const std::string path = Two.SavedAs("print.png").string();
    const char* argv[] = {"print", path.c_str()};
    std::ostringstream out;

    for (const auto& b : Vel::ReadBarcodes(argv[1]))
        out << b.SymbologyName << ':' << b.Text() << '\n';

    std::istringstream printed(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(printed, line);)
        lines.push_back(line);
    EXPECT_THAT(lines, UnorderedElementsAre(std::string("EAN-13:") + Ean13Data,
                                            std::string("CODE-128:") + Code128Data));
}

TEST_F(ReadBarcodesTest, PicturesWithoutBarcodesGiveNone) {
    const std::vector<std::uint8_t> white(64 * 48, 255);
    EXPECT_TRUE(ReadBarcodes(Vel::TGrayView(white.data(), 64, 48)).empty());
    EXPECT_TRUE(ReadBarcodes(Vel::TGrayView(nullptr, 0, 0)).empty());
    EXPECT_TRUE(ReadBarcodes(Vel::TGrayView(nullptr, 10, 0, 12)).empty());
}

TEST_F(ReadBarcodesTest, FilesThatCannotBeReadRaiseTheHostsErrorNamingThem) {
    const std::filesystem::path missing = Two.SavedAs("x.png").parent_path() / "missing.png";
    EXPECT_THAT([&] { ReadBarcodes(missing); },
                testing::ThrowsMessage<Host::EFOpenError>(
                    testing::StartsWith("Cannot open file \"" + missing.string() + "\": ")));
    const std::filesystem::path text = missing.parent_path() / "text.png";
    std::ofstream(text) << "not a picture";
    EXPECT_THAT([&] { ReadBarcodes(text); },
                testing::ThrowsMessage<Host::EInvalidGraphic>(
                    testing::StartsWith("Cannot load picture file \"" + text.string() + "\": ")));
    const std::uint8_t junk[] = {'B', 'M', 0, 1, 2};
    EXPECT_THAT([&] { ReadBarcodes(std::span<const std::uint8_t>(junk)); },
                testing::ThrowsMessage<Host::EInvalidGraphic>(
                    testing::StartsWith("Cannot load the picture of 5 bytes in memory: ")));
}

// A picture read into a std::string converts to a path: it is refused as a name, with a
// message that says how to pass bytes, whole (what() is never cut at a NUL byte), and no
// file named by the bytes before its first NUL is read in its place.
TEST_F(ReadBarcodesTest, APicturesBytesTakenForAPathAreRefusedWithTheWayOut) {
    const std::filesystem::path saved = Two.SavedAs("bytes.png");
    std::ifstream in(saved, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_NE(bytes.find('\0'), std::string::npos);
    const std::string prefixed = saved.string() + '\0' + "tail";
    for (const std::string& name : {bytes, prefixed})
        EXPECT_THAT([&] { ReadBarcodes(name); },
                    testing::ThrowsMessage<Host::EFOpenError>(testing::AllOf(
                        testing::StartsWith("Cannot open file \""),
                        testing::HasSubstr(
                            "a file name holds no NUL byte; to read a picture's bytes held in "
                            "memory, pass them as bytes (std::span<const std::uint8_t>)"))));
    EXPECT_THAT([&] { ReadBarcodes(bytes); },
                testing::ThrowsMessage<Host::EFOpenError>(testing::StartsWith(
                    "Cannot open file \"\\x89PNG\\x0d\\x0a\\x1a\\x0a\\x00\\x00")));
}

struct TBadValueCase {
    const char* Label;
    std::function<void()> Make;
    const char* Message;
};

class BadValue : public testing::TestWithParam<TBadValueCase> {};

TEST_P(BadValue, RaisesNamingTheValues) {
    EXPECT_VEL_ERROR(GetParam().Make(), GetParam().Message);
}

const std::uint8_t SomePixels[4] = {};

INSTANTIATE_TEST_SUITE_P(
    ReadBarcodes, BadValue,
    testing::Values(TBadValueCase{"NegativeScanRect",
                                  [] {
                                      TReadOptions().SetScanRect({0, -3, 10, 0});
                                  },
                                  "Scan rectangle 0, -3, 10 x 0 has a negative value"},
                    TBadValueCase{"NegativeViewSize", [] { Vel::TGrayView(SomePixels, -2, 2); },
                                  "Gray view -2 x 2 with stride -2 has a negative size"},
                    TBadValueCase{"StrideBelowWidth", [] { Vel::TGrayView(SomePixels, 2, 2, 1); },
                                  "Gray view 2 x 2 with stride 1 has a stride below its width"},
                    TBadValueCase{"NoPixels", [] { Vel::TGrayView(nullptr, 2, 2); },
                                  "Gray view 2 x 2 with stride 2 has no pixels"}),
    ParamLabel());

TEST_F(ReadBarcodesTest, ZBarThatCannotBeLoadedIsReportedWithTheWayOut) {
    Vel::ZBarLibraryName = u"libnope.so";
    const std::vector<std::uint8_t> white(16, 255);
    EXPECT_VEL_ERROR(ReadBarcodes(Vel::TGrayView(white.data(), 4, 4)),
                     "libnope.so: cannot open shared object file: No such file or directory; "
                     "install libzbar0 (Debian/Ubuntu) or set ZBarLibraryName");
    EXPECT_THROW(ReadBarcodes(Two.SavedAs("unloaded.png")), Vel::EVelError);
    EXPECT_FALSE(Vel::LoadedLibrary());
}

} // namespace
