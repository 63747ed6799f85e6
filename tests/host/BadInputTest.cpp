// Every kind of bad picture file yields a host exception naming the file and the reason,
// and leaves the picture as it was.
#include "BmpBuilder.h"
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"
#include "vel/host/Picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <typeinfo>

using namespace Host;

namespace {

enum class Loader { Picture, Bitmap };

struct BadInput {
    std::string Name;
    // Creates the file (or not) in the folder; returns its name.
    std::function<String(const TempFolder&)> Make;
    const std::type_info& Error;
    std::string Reason;
    Loader By = Loader::Picture;
};

std::ostream& operator<<(std::ostream& out, const BadInput& c) {
    return out << c.Name;
}

std::string ValidBmp() {
    return EncodeBmp({3, 2, 24, 0, 40, {}, {}, std::vector<uint8_t>(24, 0x55)});
}

// A file holding the bytes, named name.
std::function<String(const TempFolder&)> File(std::string name, std::string bytes) {
    return [=](const TempFolder& folder) {
        return folder.Write(name, bytes);
    };
}

std::function<String(const TempFolder&)> Bmp(BmpFile bmp) {
    return File("bad.bmp", EncodeBmp(bmp));
}

// A valid BMP with the 32-bit field at offset replaced.
std::function<String(const TempFolder&)> PatchedBmp(size_t offset, uint32_t value) {
    std::string bytes = ValidBmp();
    std::string field;
    Put32(field, value);
    bytes.replace(offset, 4, field);
    return File("patched.bmp", bytes);
}

std::vector<BadInput> Cases() {
    const std::string bmp = ValidBmp();
    return {
        {"Missing", [](const TempFolder& f) { return f.Name("missing.bmp"); }, typeid(EFOpenError),
         "No such file or directory"},
        {"Directory",
         [](const TempFolder& f) {
             std::filesystem::create_directory(f.Path("folder.bmp"));
             return f.Name("folder.bmp");
         },
         typeid(EFOpenError), "it is a directory"},
        {"PathThroughAFile",
         [](const TempFolder& f) {
             f.Write("plain.bmp", "BM");
             return f.Name("plain.bmp/inner.bmp");
         },
         typeid(EFOpenError), "Not a directory"},
        {"Empty", File("empty.bmp", ""), typeid(EInvalidGraphic), "the file is empty"},
        {"UnknownKind", File("text.bmp", "Hello, world\n"), typeid(EInvalidGraphic),
         "Unknown picture format"},
        {"BitmapGivenOtherContent", File("other.bmp", "\x89PNG\r\n\x1a\n0000"),
         typeid(EInvalidGraphic), "the signature \"BM\" is missing", Loader::Bitmap},
        {"BmpTruncatedHeader", File("cut.bmp", bmp.substr(0, 20)), typeid(EInvalidGraphic),
         "the data ends early"},
        {"BmpTruncatedPixels", File("cut.bmp", bmp.substr(0, bmp.size() - 5)),
         typeid(EInvalidGraphic), "the pixel data is truncated"},
        {"BmpHuge", Bmp({100000, 100000, 24, 0, 40, {}, {}, {}}), typeid(EInvalidGraphic),
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
    };
}

class BadInputTable : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTable, RaisesAHostErrorNamingTheFileAndReason) {
    const BadInput& c = GetParam();
    TempFolder folder;
    const String file = c.Make(folder);
    TBitmap original;
    FillTest(original);
    TPicture picture;
    picture.SetGraphic(&original);
    TBitmap bitmap;
    bitmap.Assign(&original);
    try {
        if (c.By == Loader::Picture)
            picture.LoadFromFile(file);
        else
            bitmap.LoadFromFile(file);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(typeid(e), c.Error) << e.what();
        const std::string message = e.what();
        EXPECT_NE(message.find("\"" + ToAnsi(file) + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
    }
    EXPECT_EQ(Pixels32(*picture.Graphic()), TestPixels);
    EXPECT_EQ(Pixels32(bitmap), TestPixels);
}

INSTANTIATE_TEST_SUITE_P(Host, BadInputTable, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.Name; });

} // namespace
