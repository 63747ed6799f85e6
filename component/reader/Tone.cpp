#include "reader/Tone.h"

#include <algorithm>
#include <array>

namespace Vel {

namespace {

// Maps every pixel through a table of 256 levels.
TWorkImage MapLevels(TGrayPlane in, const std::array<std::uint8_t, 256>& table,
                     std::vector<std::uint8_t>& out) {
    const TGrayPlane view = SizeBuffer(out, in.Width, in.Height);
    std::transform(in.Data, in.Data + out.size(), out.begin(),
                   [&table](std::uint8_t level) { return table[level]; });
    return {view, {}};
}

} // namespace

TWorkImage Invert(TGrayPlane in, std::vector<std::uint8_t>& out) {
    std::array<std::uint8_t, 256> table{};
    for (std::size_t level = 0; level < table.size(); ++level)
        table[level] = static_cast<std::uint8_t>(255 - level);
    return MapLevels(in, table, out);
}

TWorkImage Equalise(TGrayPlane in, std::vector<std::uint8_t>& out) {
    std::array<std::uint64_t, 256> histogram{};
    const std::size_t count =
        static_cast<std::size_t>(in.Width) * static_cast<std::size_t>(in.Height);
    for (std::size_t i = 0; i < count; ++i)
        ++histogram[in.Data[i]];
    std::array<std::uint8_t, 256> table{};
    std::uint64_t below = 0;
    for (std::size_t level = 0; level < table.size(); ++level) {
        below += histogram[level];
        table[level] = static_cast<std::uint8_t>(count ? (255 * below + count / 2) / count : level);
    }
    return MapLevels(in, table, out);
}

} // namespace Vel
