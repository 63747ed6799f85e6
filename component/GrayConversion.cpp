#include "GrayConversion.h"

namespace Vel {

namespace {

// floor(x / 1000) for x up to 255500 in 32-bit lanes: x / 8 is below 2^15, and
// 33555 / 2^22 is close enough to 1 / 125 that the product is exact over that range (checked
// over every value by the tests of all colours).
inline std::uint32_t DivideBy1000(std::uint32_t x) noexcept {
    return ((x >> 3) * 33555) >> 22;
}

} // namespace

// Written without tables or divisions so that the compiler vectorises the loop; the AVX2
// clone runs where the processor has it.
__attribute__((target_clones("avx2", "default"))) void
ConvertRowToGray(const std::uint32_t* __restrict pixels, std::size_t count,
                 std::uint8_t* __restrict gray) noexcept {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = pixels[i];
        const std::uint32_t red = (pixel >> 16) & 0xFF;
        const std::uint32_t green = (pixel >> 8) & 0xFF;
        const std::uint32_t blue = pixel & 0xFF;
        // The weighted sum times 1000: at most 255000, exact in 32 bits.
        const std::uint32_t sum = 299 * red + 587 * green + 114 * blue;
        // Rounds half up, then takes an exact half back down when that landed on an odd value.
        const std::uint32_t shifted = sum + 500;
        const std::uint32_t rounded = DivideBy1000(shifted);
        const std::uint32_t halfway = shifted == rounded * 1000 ? 1 : 0;
        gray[i] = static_cast<std::uint8_t>(rounded - (halfway & rounded));
    }
}

} // namespace Vel
