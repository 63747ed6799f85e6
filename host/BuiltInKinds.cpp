#include "BuiltInKinds.h"

#include "vel/host/Bitmap.h"

#include <algorithm>

namespace Host {

namespace {

// A signature test: the data starts with the bytes of prefix.
TGraphicSignature StartsWith(std::initializer_list<uint8_t> prefix) {
    return [bytes = std::vector<uint8_t>(prefix)](std::span<const uint8_t> first) {
        return first.size() >= bytes.size() &&
               std::equal(bytes.begin(), bytes.end(), first.begin());
    };
}

template <class T> TGraphicFactory Factory() {
    return [] {
        return std::make_unique<T>();
    };
}

} // namespace

void RegisterBuiltInKinds(const TRegisterKind& add) {
    add(u"BMP", StartsWith({'B', 'M'}), Factory<TBitmap>());
}

} // namespace Host
