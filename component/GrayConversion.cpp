#include "GrayConversion.h"

namespace Vel {

void ConvertRowToGray(const std::uint32_t* pixels, std::size_t count, std::uint8_t* gray) noexcept {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i];
        const std::uint32_t red = (pixel >> 16) & 0xFF;
        const std::uint32_t green = (pixel >> 8) & 0xFF;
        const std::uint32_t blue = pixel & 0xFF;
        // The weighted sum times 1000: at most 255000, exact in 32 bits.
        const std::uint32_t sum = 299 * red + 587 * green + 114 * blue;
        // Rounds half up, then takes an exact half back down when that landed on an odd value.
        const std::uint32_t shifted = sum + 500;
        const std::uint32_t rounded = shifted / 1000;
        const std::uint32_t halfway = shifted == rounded * 1000 ? 1 : 0;
        gray[i] = static_cast<std::uint8_t>(rounded - (halfway & rounded));
    }
}

} // namespace Vel
