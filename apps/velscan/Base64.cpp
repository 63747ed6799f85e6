#include "Base64.h"

#include <algorithm>

namespace VelScan {

std::string Base64(std::span<const std::uint8_t> bytes) {
    static constexpr char Alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
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

} // namespace VelScan
