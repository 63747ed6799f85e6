#include "vel/batch/Limits.h"

#include "PictureMemory.h"
#include "vel/batch/Errors.h"

#include <vel/host/PixelLimit.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <unistd.h>

namespace VelBatch {

namespace {

constexpr double MaxTimeoutSeconds = 1e6;

unsigned SuffixShift(char suffix) {
    switch (suffix) {
    case 'K':
    case 'k':
        return 10;
    case 'M':
    case 'm':
        return 20;
    case 'G':
    case 'g':
        return 30;
    case 'T':
    case 't':
        return 40;
    default:
        return 64;
    }
}

} // namespace

std::chrono::milliseconds ParseTimeout(const std::string& text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    if (text.empty() || error != std::errc() || stop != end || !(seconds >= 0) ||
        seconds > MaxTimeoutSeconds)
        throw EInvalidValue(text, "expected seconds from 0 (no limit) to 1000000");
    const auto milliseconds = static_cast<long long>(std::ceil(seconds * 1000));
    return std::chrono::milliseconds(milliseconds);
}

std::uint64_t ParseByteSize(const std::string& text) {
    std::string_view digits = text;
    unsigned shift = 0;
    if (!digits.empty() && SuffixShift(digits.back()) < 64) {
        shift = SuffixShift(digits.back());
        digits.remove_suffix(1);
    }
    std::uint64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end || value == 0 ||
        value > (UINT64_MAX >> shift))
        throw EInvalidValue(text, "expected a number of bytes above 0, with K, M, G or T for KiB, "
                                  "MiB, GiB or TiB");
    return value << shift;
}

std::uint64_t DefaultMemoryBudget() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    const std::uint64_t half =
        pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * pageSize / 2 : 0;
    const std::uint64_t largest = PictureMemory(1, Host::MaxPicturePixels());
    return std::max(half, largest);
}

} // namespace VelBatch
