#include "BuiltInKinds.h"

#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"
#include "vel/host/GifImage.h"
#include "vel/host/JpegImage.h"
#if VEL_READS_PDF
#include "vel/host/PdfImage.h"
#endif
#include "vel/host/PngImage.h"
#include "vel/host/PnmImage.h"
#include "vel/host/TiffImage.h"
#include "vel/host/WebPImage.h"

#include <algorithm>
#include <cctype>

namespace Host {

namespace {

// A signature test: the data starts with the bytes of prefix.
TGraphicSignature StartsWith(std::initializer_list<uint8_t> prefix) {
    return [bytes = std::vector<uint8_t>(prefix)](std::span<const uint8_t> first) {
        return first.size() >= bytes.size() &&
               std::equal(bytes.begin(), bytes.end(), first.begin());
    };
}

TGraphicSignature AnyOf(std::vector<TGraphicSignature> tests) {
    return [tests = std::move(tests)](std::span<const uint8_t> first) {
        return std::any_of(tests.begin(), tests.end(),
                           [&](const auto& test) { return test(first); });
    };
}

// "RIFF", a 32-bit size, then "WEBP".
bool IsWebP(std::span<const uint8_t> first) {
    return first.size() >= 12 && std::equal(first.begin(), first.begin() + 4, "RIFF") &&
           std::equal(first.begin() + 8, first.begin() + 12, "WEBP");
}

// Netpbm's "P1" to "P7", then white space.
bool IsPnm(std::span<const uint8_t> first) {
    return first.size() >= 3 && first[0] == 'P' && first[1] >= '1' && first[1] <= '7' &&
           std::isspace(first[2]);
}

template <class T> TGraphicFactory Factory() {
    return [] {
        return std::make_unique<T>();
    };
}

#if !VEL_READS_PDF
// A kind this build was made without: told by its signature still, so that such a picture is
// refused saying what is missing instead of being taken for data of no known kind.
TGraphicFactory LeftOut(const String& kind, const String& support) {
    return [=]() -> std::unique_ptr<TGraphic> {
        throw EInvalidGraphic(u"Cannot read the " + kind + u" picture: this build of Vel has no " +
                              kind + u" support (" + support + u" was left out)");
    };
}
#endif

} // namespace

void RegisterBuiltInKinds(const TRegisterKind& add) {
    add(u"BMP", StartsWith({'B', 'M'}), Factory<TBitmap>());
    add(u"PNG", StartsWith({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), Factory<TPngImage>());
    add(u"JPEG", StartsWith({0xFF, 0xD8, 0xFF}), Factory<TJpegImage>());
    add(u"GIF", StartsWith({'G', 'I', 'F', '8'}), Factory<TGifImage>());
    add(u"WebP", IsWebP, Factory<TWebPImage>());
    // Little- and big-endian, classic and BigTIFF.
    add(u"TIFF",
        AnyOf({StartsWith({'I', 'I', 42, 0}), StartsWith({'M', 'M', 0, 42}),
               StartsWith({'I', 'I', 43, 0}), StartsWith({'M', 'M', 0, 43})}),
        Factory<TTiffImage>());
    add(u"PNM", IsPnm, Factory<TPnmImage>());
#if VEL_READS_PDF
    add(u"PDF", StartsWith({'%', 'P', 'D', 'F', '-'}), Factory<TPdfImage>());
#else
    add(u"PDF", StartsWith({'%', 'P', 'D', 'F', '-'}), LeftOut(u"PDF", u"poppler"));
#endif
}

} // namespace Host
