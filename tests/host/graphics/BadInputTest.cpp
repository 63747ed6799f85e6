// Every kind of bad picture file yields a host exception naming the file and the reason,
// and leaves the picture as it was.
#include "BmpBuilder.h"
#include "Encoders.h"
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"
#include "vel/host/GifImage.h"
#include "vel/host/JpegImage.h"
#include "vel/host/Picture.h"
#include "vel/host/PixelLimit.h"
#include "vel/host/PngImage.h"
#include "vel/host/PnmImage.h"
#include "vel/host/TiffImage.h"
#include "vel/host/WebPImage.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <typeinfo>

using namespace Host;

namespace {

// The graphic class a case loads into; null: a picture, which tells the kind itself.
using Target = std::function<std::unique_ptr<TGraphic>()>;

template <class T> Target Into() {
    return [] {
        return std::make_unique<T>();
    };
}

struct BadInput {
    std::string Name;
    // Creates the file (or not) in the folder; returns its name.
    std::function<String(const Support::TTempFolder&)> Make;
    const std::type_info& Error;
    std::string Reason;
    Target By = nullptr;
    uint64_t Limit = DefaultMaxPicturePixels;
};

std::ostream& operator<<(std::ostream& out, const BadInput& c) {
    return out << c.Name;
}

std::string ValidBmp() {
    return EncodeBmp({3, 2, 24, 0, 40, {}, {}, std::vector<uint8_t>(24, 0x55)});
}

// A file holding the bytes, named name.
std::function<String(const Support::TTempFolder&)> File(std::string name, std::string bytes) {
    return [=](const Support::TTempFolder& folder) {
        return FromAnsi(folder.Write(name, bytes).string());
    };
}

std::function<String(const Support::TTempFolder&)> Bmp(BmpFile bmp) {
    return File("bad.bmp", EncodeBmp(bmp));
}

// A valid BMP with the 32-bit field at offset replaced.
std::function<String(const Support::TTempFolder&)> PatchedBmp(size_t offset, uint32_t value) {
    std::string bytes = ValidBmp();
    std::string field;
    AppendDWord(field, value);
    bytes.replace(offset, 4, field);
    return File("patched.bmp", bytes);
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBigEndian(std::string& bytes, size_t offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * (size - 1 - i)));
}

std::string SmallPng() {
    return MakePng({TestWidth, TestHeight, PNG_COLOR_TYPE_GRAY, 8, false, {{1, 2, 3}, {4, 5, 6}}});
}

// A PNG whose header declares width x height, with a correct checksum.
std::string PngDeclaring(uint32_t width, uint32_t height) {
    std::string png = SmallPng();
    PutBigEndian(png, 16, width, 4);
    PutBigEndian(png, 20, height, 4);
    PutBigEndian(png, 29, Crc32(png.substr(12, 17)), 4);
    return png;
}

std::string SmallJpeg() {
    return MakeJpeg({8, 8, 1, false, RowBytes(8, std::vector<uint8_t>(8, 0x80))});
}

// A JPEG whose frame header declares a sample precision of 7 bits.
std::string JpegWithBadPrecision() {
    std::string jpeg = SmallJpeg();
    jpeg[jpeg.find("\xFF\xC0") + 4] = 7;
    return jpeg;
}

// A JPEG whose frame header declares width x height.
std::string JpegDeclaring(uint16_t width, uint16_t height) {
    std::string jpeg = SmallJpeg();
    const size_t frame = jpeg.find("\xFF\xC0");
    PutBigEndian(jpeg, frame + 5, height, 2);
    PutBigEndian(jpeg, frame + 7, width, 2);
    return jpeg;
}

std::string SmallGif(int screenWidth = TestWidth, int screenHeight = TestHeight) {
    return MakeGif({screenWidth,
                    screenHeight,
                    0,
                    0,
                    TestWidth,
                    TestHeight,
                    false,
                    0,
                    -1,
                    {0, 0xFFFFFF},
                    {{0, 1, 0}, {1, 0, 1}}});
}

// A whole JPEG of 16 x 16 pixels whose frame header then declares width x height: a few
// hundred bytes that cannot code so many blocks.
std::string WholeJpegDeclaring(int components, bool progressive, uint16_t width, uint16_t height) {
    std::string jpeg = MakeJpeg({16, 16, components, progressive,
                                 RowBytes(16, std::vector<uint8_t>(16 * components, 0x40))});
    const size_t frame = jpeg.find(progressive ? "\xFF\xC2" : "\xFF\xC0");
    PutBigEndian(jpeg, frame + 5, height, 2);
    PutBigEndian(jpeg, frame + 7, width, 2);
    return jpeg;
}

// The small GIF whose frame descriptor (after header, screen and 2-colour table) declares a
// frame of width x height.
std::string GifFrameDeclaring(uint16_t width, uint16_t height) {
    std::string gif = SmallGif();
    gif[24] = static_cast<char>(width & 0xFF);
    gif[25] = static_cast<char>(width >> 8);
    gif[26] = static_cast<char>(height & 0xFF);
    gif[27] = static_cast<char>(height >> 8);
    return gif;
}

// The small frame on a screen of 16384 x 16384 pixels, the file made long by a comment
// before the frame: the file's bytes could fill the screen, the frame's could not.
std::string GifScreenPaddedWithComment() {
    std::string gif = SmallGif(16384, 16384);
    std::string comment = "!\xFE";
    for (int block = 0; block < 500; ++block)
        comment += '\xFF' + std::string(255, 'c');
    comment.push_back('\0');
    return gif.insert(19, comment);
}

std::string SmallTiff() {
    return MakeTiff({TestWidth, TestHeight, 1, 8, 1, false, 1, false, {}, {{1, 2, 3}, {4, 5, 6}}});
}

std::string SmallWebP() {
    return MakeWebP(TestWidth, TestHeight, TestPixels, true);
}

std::string Half(const std::string& bytes) {
    return bytes.substr(0, bytes.size() / 2);
}

// The bytes with the range from offset overwritten.
std::string Damaged(std::string bytes, size_t offset, const std::string& junk) {
    return bytes.replace(offset, junk.size(), junk);
}

std::vector<BadInput> Cases() {
    const std::string bmp = ValidBmp();
    return {
        {"Missing",
         [](const Support::TTempFolder& f) { return FromAnsi(f.Path("missing.bmp").string()); },
         typeid(EFOpenError), "No such file or directory"},
        {"Directory",
         [](const Support::TTempFolder& f) {
             std::filesystem::create_directory(f.Path("folder.bmp"));
             return FromAnsi(f.Path("folder.bmp").string());
         },
         typeid(EFOpenError), "it is a directory"},
        {"PathThroughAFile",
         [](const Support::TTempFolder& f) {
             f.Write("plain.bmp", "BM");
             return FromAnsi(f.Path("plain.bmp/inner.bmp").string());
         },
         typeid(EFOpenError), "Not a directory"},
        {"Empty", File("empty.bmp", ""), typeid(EInvalidGraphic), "the file is empty"},
        {"UnknownKind", File("text.bmp", "Hello, world\n"), typeid(EInvalidGraphic),
         "Unknown picture format"},
        {"BitmapGivenOtherContent", File("other.bmp", "\x89PNG\r\n\x1a\n0000"),
         typeid(EInvalidGraphic), "the signature \"BM\" is missing", Into<TBitmap>()},
        {"BmpTruncatedHeader", File("cut.bmp", bmp.substr(0, 20)), typeid(EInvalidGraphic),
         "the data ends early"},
        {"BmpTruncatedPixels", File("cut.bmp", bmp.substr(0, bmp.size() - 5)),
         typeid(EInvalidGraphic), "the pixel data is truncated"},
        {"BmpHuge", Bmp({100000, 100000, 24, 0, 40, {}, {}, {}}), typeid(EPixelLimit),
         "BMP picture of 100000 x 100000 pixels exceeds the limit of 268435456 pixels"},
        {"BmpNegativeWidth", Bmp({-3, 2, 24, 0, 40, {}, {}, {}}), typeid(EInvalidGraphic),
         "invalid size of -3 x 2 pixels"},
        {"BmpBitCount", Bmp({3, 2, 7, 0, 40, {}, {}, {}}), typeid(EInvalidGraphic),
         "unsupported combination of 7 bits per pixel"},
        {"BmpEmbeddedJpeg", Bmp({3, 2, 24, 4, 40, {}, {}, {}}), typeid(EInvalidGraphic),
         "compression 4"},
        {"BmpTopDownRle", Bmp({3, -2, 8, 1, 40, {0}, {}, {0, 1}}), typeid(EInvalidGraphic),
         "top-down rows"},
        {"BmpRleWithoutEnd", Bmp({3, 2, 8, 1, 40, {0}, {}, {2, 0}}), typeid(EInvalidGraphic),
         "the data ends early"},
        {"BmpScatteredMasks", Bmp({3, 2, 16, 3, 40, {}, {0xF00F, 0x0F00, 0x00F0}, {}}),
         typeid(EInvalidGraphic), "not contiguous"},
        {"BmpHeaderSize", PatchedBmp(14, 20), typeid(EInvalidGraphic),
         "unsupported header size 20"},
        {"BmpPixelsInsideHeader", PatchedBmp(10, 30), typeid(EInvalidGraphic),
         "the pixel data offset 30 lies inside the headers"},
        {"PngTruncated", File("cut.png", Half(SmallPng())), typeid(EInvalidGraphic),
         "Invalid PNG picture: the data ends early"},
        {"PngChecksum", File("crc.png", Damaged(SmallPng(), 17, "\x7F")), typeid(EInvalidGraphic),
         "Invalid PNG picture: IHDR: CRC error"},
        {"PngHuge", File("huge.png", PngDeclaring(100000, 100000)), typeid(EPixelLimit),
         "PNG picture of 100000 x 100000 pixels exceeds the limit"},
        {"PngGivenOtherContent", File("other.png", SmallJpeg()), typeid(EInvalidGraphic),
         "Invalid PNG picture: Not a PNG file", Into<TPngImage>()},
        {"JpegTruncated", File("cut.jpg", Half(SmallJpeg())), typeid(EInvalidGraphic),
         "Invalid JPEG picture: the data ends early"},
        {"JpegCorrupt", File("bad.jpg", JpegWithBadPrecision()), typeid(EInvalidGraphic),
         "Invalid JPEG picture: Unsupported JPEG data precision 7"},
        {"JpegHuge", File("huge.jpg", JpegDeclaring(65000, 65000)), typeid(EPixelLimit),
         "JPEG picture of 65000 x 65000 pixels exceeds the limit"},
        {"JpegGivenOtherContent", File("other.jpg", SmallPng()), typeid(EInvalidGraphic),
         "Invalid JPEG picture: ", Into<TJpegImage>()},
        {"JpegDeclaringMoreThanItsDataCodes",
         File("tiny.jpg", WholeJpegDeclaring(1, false, 16384, 4096)), typeid(EInvalidGraphic),
         "bytes cannot code a picture of 16384 x 4096 pixels"},
        {"ProgressiveCmykJpegDeclaringMoreThanItsDataCodes",
         File("tiny.jpg", WholeJpegDeclaring(4, true, 16384, 16384)), typeid(EInvalidGraphic),
         "bytes cannot code a picture of 16384 x 16384 pixels"},
        {"GifFrameLargerThanItsData", File("frame.gif", GifFrameDeclaring(16384, 4096)),
         typeid(EInvalidGraphic), "the frame of 16384 x 4096 pixels has only"},
        {"GifScreenLargerThanItsFrameData", File("screen.gif", GifScreenPaddedWithComment()),
         typeid(EInvalidGraphic), "the screen of 16384 x 16384 pixels is larger than its frame's"},
        {"GifTruncated", File("cut.gif", Half(SmallGif())), typeid(EInvalidGraphic),
         "Invalid GIF picture: "},
        // The image separator after header, screen and 2-colour table replaced.
        {"GifCorrupt", File("bad.gif", Damaged(SmallGif(), 19, "Q")), typeid(EInvalidGraphic),
         "Invalid GIF picture: Wrong record type detected"},
        {"GifHuge", File("huge.gif", SmallGif(65535, 65535)), typeid(EPixelLimit),
         "GIF picture of 65535 x 65535 pixels exceeds the limit"},
        {"TiffTruncated", File("cut.tif", Half(SmallTiff())), typeid(EInvalidGraphic),
         "Invalid TIFF picture: "},
        {"TiffCorruptDirectory", File("bad.tif", Damaged(SmallTiff(), 4, "\xF0\xFF\xFF\x0F")),
         typeid(EInvalidGraphic), "Invalid TIFF picture: "},
        {"TiffAboveLimit", File("big.tif", SmallTiff()), typeid(EPixelLimit),
         "TIFF picture of 3 x 2 pixels exceeds the limit of 5 pixels", nullptr, 5},
        {"WebPTruncated", File("cut.webp", Half(SmallWebP())), typeid(EInvalidGraphic),
         "Invalid WebP picture: "},
        {"WebPCorrupt", File("bad.webp", Damaged(SmallWebP(), 20, std::string(8, '\xFF'))),
         typeid(EInvalidGraphic), "Invalid WebP picture: "},
        {"WebPAboveLimit", File("big.webp", SmallWebP()), typeid(EPixelLimit),
         "WebP picture of 3 x 2 pixels exceeds the limit of 5 pixels", nullptr, 5},
        {"PnmHeaderEndsEarly", File("cut.pgm", "P2\n3 "), typeid(EInvalidGraphic),
         "Invalid PNM picture: the data ends early"},
        {"PnmRawTruncated", File("cut.ppm", "P6\n3 2\n255\n" + std::string(17, 'x')),
         typeid(EInvalidGraphic), "Invalid PNM picture: the pixel data is truncated"},
        {"PnmPlainTruncated", File("cut.pgm", "P2\n3 2\n255\n1 2 3 4 5"), typeid(EInvalidGraphic),
         "Invalid PNM picture: the pixel data is truncated"},
        {"PnmMaxvalZero", File("zero.pgm", "P5\n3 2\n0\n" + std::string(6, '\0')),
         typeid(EInvalidGraphic), "Invalid PNM picture: the maxval 0 is not 1 to 65535"},
        {"PnmWidthBeyondAnyNumberHeld", File("wide.pgm", "P5\n99999999999 2\n255\n"),
         typeid(EInvalidGraphic), "Invalid PNM picture: the width 99999999999 is too large"},
        {"PnmMaxvalBeyondAnyNumberHeld", File("deep.pgm", "P2 3 2 123456789012 1 2 3 4 5 6"),
         typeid(EInvalidGraphic), "Invalid PNM picture: the maxval 123456789012 is too large"},
        {"PnmMaxvalOver65535", File("deep.pgm", "P2 3 2 65536 1 2 3 4 5 6"),
         typeid(EInvalidGraphic), "Invalid PNM picture: the maxval 65536 is not 1 to 65535"},
        {"PnmPlainSampleOverMaxval", File("over.pgm", "P2 3 2 10 0 1 2 3 11 4"),
         typeid(EInvalidGraphic), "Invalid PNM picture: a sample of 11 is over the maxval of 10"},
        {"PnmRawSampleOverMaxval", File("over.pgm", "P5 3 2 100\n\x01\x02\x03\xC8\x04\x05"),
         typeid(EInvalidGraphic), "Invalid PNM picture: a sample of 200 is over the maxval of 100"},
        {"PnmBitNotZeroOrOne", File("bad.pbm", "P1 3 2 1 0 2 0 0 0"), typeid(EInvalidGraphic),
         "Invalid PNM picture: a pixel is '2', not 0 or 1"},
        {"PnmGarbageInHeader", File("bad.ppm", "P6\n3 x2\n255\n"), typeid(EInvalidGraphic),
         "Invalid PNM picture: the height is not a number ('x')"},
        {"PnmNoWhiteSpaceAfterHeader", File("bad.pgm", "P5 3 2 255#\n123456"),
         typeid(EInvalidGraphic), "Invalid PNM picture: the header ends with '#'"},
        {"PnmZeroSize", File("empty.ppm", "P6\n0 2\n255\n"), typeid(EInvalidGraphic),
         "PNM picture has an invalid size of 0 x 2 pixels"},
        {"PnmHuge", File("huge.pgm", "P5\n100000 100000\n255\n"), typeid(EPixelLimit),
         "PNM picture of 100000 x 100000 pixels exceeds the limit"},
        {"PnmAboveLimit", File("big.pgm", "P5 3 2 255\n123456"), typeid(EPixelLimit),
         "PNM picture of 3 x 2 pixels exceeds the limit of 5 pixels", nullptr, 5},
        {"PamUnknownTupleType",
         File("cmyk.pam", "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE CMYK\nENDHDR\n"),
         typeid(EInvalidGraphic),
         "Invalid PNM picture: the PAM tuple type CMYK is not one the host reads"},
        {"PamDepthNotOfItsTupleType",
         File("rgb.pam", "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n"),
         typeid(EInvalidGraphic), "Invalid PNM picture: the PAM depth 1 does not fit RGB"},
        {"PamUnknownField", File("odd.pam", "P7\nWIDTH 1\nCOLOUR 3\n"), typeid(EInvalidGraphic),
         "Invalid PNM picture: the PAM header holds an unknown field COLOUR"},
        {"PnmGivenOtherContent", File("other.pgm", SmallPng()), typeid(EInvalidGraphic),
         "Invalid PNM picture: the magic number P1 to P7 is missing", Into<TPnmImage>()},
    };
}

class BadInputTable : public testing::TestWithParam<BadInput> {};

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Loads the file into a picture or graphic that holds the test picture; expects the error
// and the test picture still there, with no output from the libraries and no large
// allocation on the way.
TEST_P(BadInputTable, RaisesAHostErrorNamingTheFileAndReason) {
    const BadInput& c = GetParam();
    Support::TTempFolder folder;
    const String file = c.Make(folder);
    TBitmap original;
    FillTest(original);
    TPicture picture;
    picture.SetGraphic(&original);
    std::unique_ptr<TGraphic> graphic = c.By ? c.By() : nullptr;
    if (graphic)
        graphic->Assign(&original);

    SetMaxPicturePixels(c.Limit);
    const long peakBefore = PeakMemoryKiB();
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    try {
        if (graphic)
            graphic->LoadFromFile(file);
        else
            picture.LoadFromFile(file);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(typeid(e), c.Error) << e.what();
        const std::string message = e.what();
        EXPECT_NE(message.find("\"" + ToAnsi(file) + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 64 * 1024);
    SetMaxPicturePixels(DefaultMaxPicturePixels);

    EXPECT_EQ(Pixels32(*picture.Graphic()), TestPixels);
    if (graphic) {
        EXPECT_EQ(Pixels32(*graphic), TestPixels);
    }
}

INSTANTIATE_TEST_SUITE_P(Host, BadInputTable, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.Name; });

} // namespace
