#include "Tone.h"

#include <algorithm>
#include <array>

namespace Vel {

namespace {

// A picture whose levels (but the darkest and lightest 2%) span more than this has contrast
// enough: equalising it gains nothing.
constexpr int LowContrastSpan = 128;

std::uint64_t Count(TGrayPlane in) {
    return static_cast<std::uint64_t>(in.Width) * static_cast<std::uint64_t>(in.Height);
}

// Maps every pixel through a table of 256 levels.
TWorkImage MapLevels(TGrayPlane in, const std::array<std::uint8_t, 256>& table,
                     std::vector<std::uint8_t>& out) {
    const TGrayPlane view = SizeBuffer(out, in.Width, in.Height);
    std::transform(in.Data, in.Data + out.size(), out.begin(),
                   [&table](std::uint8_t level) { return table[level]; });
    return {view, {}};
}

std::array<std::uint64_t, 256> Histogram(TGrayPlane in) {
    std::array<std::uint64_t, 256> histogram{};
    const std::uint64_t count = Count(in);
    for (std::uint64_t i = 0; i < count; ++i)
        ++histogram[in.Data[i]];
    return histogram;
}

} // namespace

TWorkImage Invert(TGrayPlane in, std::vector<std::uint8_t>& out) {
    std::array<std::uint8_t, 256> table{};
    for (std::size_t level = 0; level < table.size(); ++level)
        table[level] = static_cast<std::uint8_t>(255 - level);
    return MapLevels(in, table, out);
}

TWorkImage Equalise(TGrayPlane in, std::vector<std::uint8_t>& out) {
    const std::array<std::uint64_t, 256> histogram = Histogram(in);
    const std::uint64_t count = Count(in);
    std::array<std::uint8_t, 256> table{};
    std::uint64_t below = 0;
    for (std::size_t level = 0; level < table.size(); ++level) {
        below += histogram[level];
        table[level] = static_cast<std::uint8_t>(count ? (255 * below + count / 2) / count : level);
    }
    return MapLevels(in, table, out);
}

TWorkImage EqualiseLowContrast(TGrayPlane in, std::vector<std::uint8_t>& out) {
    const std::array<std::uint64_t, 256> histogram = Histogram(in);
    const std::uint64_t count = Count(in);
    // The levels between the darkest and the lightest 2% of the pixels.
    std::uint64_t below = 0;
    int dark = -1;
    int light = 0;
    for (int level = 0; level < 256; ++level) {
        below += histogram[static_cast<std::size_t>(level)];
        if (dark < 0 && 50 * below > count)
            dark = level;
        if (50 * below <= 49 * count)
            light = level;
    }
    if (light - dark > LowContrastSpan)
        return {in, {}};
    return Equalise(in, out);
}

} // namespace Vel
