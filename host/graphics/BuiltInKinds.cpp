#include "BuiltInKinds.h"

#include "vel/host/Bitmap.h"
#include "vel/host/GifImage.h"
#include "vel/host/JpegImage.h"
#include "vel/host/PdfImage.h"
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
    add(u"PDF", StartsWith({'%', 'P', 'D', 'F', '-'}), Factory<TPdfImage>());
}

} // namespace Host
