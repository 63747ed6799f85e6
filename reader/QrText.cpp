#include "QrText.h"

#include "vel/host/Utf8.h"

#include <iconv.h>
#include <optional>

namespace Vel {

namespace {

// The bytes converted from the character set to UTF-8 by iconv, or nothing when they are
// not valid in it.
std::optional<std::vector<std::uint8_t>> Convert(const std::vector<std::uint8_t>& bytes,
                                                 const char* charset) {
    const iconv_t converter = iconv_open("UTF-8", charset);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::vector<std::uint8_t> text(bytes.size() * 4 + 4);
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    auto* out = reinterpret_cast<char*>(text.data());
    std::size_t outLeft = text.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    text.resize(text.size() - outLeft);
    return text;
}

} // namespace

std::vector<std::uint8_t> QrTextToUtf8(const std::vector<std::uint8_t>& bytes) {
    if (Host::IsValidUtf8({reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
        return bytes;
    if (auto text = Convert(bytes, "CP932"))
        return *std::move(text);
    if (auto text = Convert(bytes, "ISO-8859-1"))
        return *std::move(text);
    return bytes;
}

} // namespace Vel
