#include "Base64.h"

#include <algorithm>

namespace VelFormats {

namespace {

constexpr std::string_view Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::string Base64(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        if (count > 1)
            group |= std::uint32_t{bytes[i + 1]} << 8;
        if (count > 2)
            group |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            out.push_back(k <= count ? Alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
    }
    return out;
}

std::string Base64(std::string_view bytes) {
    return Base64({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::optional<std::string> FromBase64(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        std::uint32_t group = 0;
        std::size_t count = 0; // the characters of the group that are not padding
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const std::size_t value = Alphabet.find(c);
            if (value != std::string_view::npos && count == k)
                ++count;
            else if (!(c == '=' && last && k >= 2))
                return std::nullopt;
            group = group << 6 | (value == std::string_view::npos ? 0 : value);
        }
        if (count < 2)
            return std::nullopt;
        for (std::size_t k = 0; k + 1 < count; ++k)
            out += static_cast<char>(group >> (16 - 8 * k) & 0xFF);
    }
    return out;
}

} // namespace VelFormats
