#include "ScanArea.h"

#include "vel/VelError.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace Vel {

namespace {

// The end (one past the last pixel) of a span that starts at start, cut to limit. The sum is
// formed in 64 bits, so a span of any size reaches the limit without overflowing.
int ClippedEnd(int start, int length, int limit) noexcept {
    if (length == 0)
        return limit;
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{start} + length, limit));
}

Host::String ToText(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return Host::String(digits.begin(), digits.end());
}

} // namespace

std::optional<TScanArea> ClipScanArea(int pictureWidth, int pictureHeight, int left, int top,
                                      int width, int height) noexcept {
    if (pictureWidth <= left || pictureHeight <= top)
        return std::nullopt;
    return TScanArea{left, top, ClippedEnd(left, width, pictureWidth) - left,
                     ClippedEnd(top, height, pictureHeight) - top};
}

int ScanAreaByteCount(const TScanArea& area) {
    constexpr std::int64_t limit = std::numeric_limits<int>::max();
    const std::int64_t bytes = std::int64_t{area.Width} * area.Height;
    if (bytes > limit)
        throw EVelError(u"The scan area of " + ToText(area.Width) + u" x " + ToText(area.Height) +
                        u" pixels needs " + ToText(bytes) + u" gray bytes, more than the " +
                        ToText(limit) + u" a ZBar image can take");
    return static_cast<int>(bytes);
}

} // namespace Vel
