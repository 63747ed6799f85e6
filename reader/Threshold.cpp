#include "Threshold.h"

#include <algorithm>
#include <cmath>

namespace Vel {

namespace {

// The sums of the pixels and of their squares over each pixel's window, row by row, kept
// as column sums of the window's rows and a prefix sum of one row: memory for a few rows,
// not a whole integral image.
class TWindowSums {
public:
    explicit TWindowSums(TGrayPlane image)
        : FImage(image), FRadius(std::max(1, std::min(image.Width, image.Height) / 16)),
          FColumns(static_cast<std::size_t>(image.Width)),
          FSquares(static_cast<std::size_t>(image.Width)),
          FPrefix(static_cast<std::size_t>(image.Width) + 1),
          FPrefixSquares(static_cast<std::size_t>(image.Width) + 1) {}

    // Makes the column sums those of the window's rows around row y; rows come in order.
    void MoveTo(int y) {
        const int last = std::min(FImage.Height - 1, y + FRadius);
        for (; FLastRow < last; ++FLastRow)
            AddRow(FLastRow + 1, true);
        for (; FFirstRow < y - FRadius; ++FFirstRow)
            AddRow(FFirstRow, false);
        for (std::size_t x = 0; x < FColumns.size(); ++x) {
            FPrefix[x + 1] = FPrefix[x] + FColumns[x];
            FPrefixSquares[x + 1] = FPrefixSquares[x] + FSquares[x];
        }
        FRows = last - FFirstRow + 1;
    }

    // The window's mean and variance at column x of the current row.
    void At(int x, double& mean, double& variance) const {
        const auto left = static_cast<std::size_t>(std::max(0, x - FRadius));
        const auto right = static_cast<std::size_t>(std::min(FImage.Width - 1, x + FRadius)) + 1;
        const double count = static_cast<double>((right - left) * static_cast<std::size_t>(FRows));
        mean = static_cast<double>(FPrefix[right] - FPrefix[left]) / count;
        variance =
            static_cast<double>(FPrefixSquares[right] - FPrefixSquares[left]) / count - mean * mean;
    }

private:
    // Adds the row's pixels to the column sums, or takes them away; unsigned arithmetic
    // wraps, so taking away is exact.
    void AddRow(int row, bool add) {
        const std::uint8_t* pixel =
            FImage.Data + static_cast<std::size_t>(row) * static_cast<std::size_t>(FImage.Width);
        for (std::size_t x = 0; x < FColumns.size(); ++x) {
            const std::uint64_t value = pixel[x];
            FColumns[x] += add ? value : -value;
            FSquares[x] += add ? value * value : -(value * value);
        }
    }

    TGrayPlane FImage;
    int FRadius;
    int FFirstRow = 0;
    int FLastRow = -1;
    int FRows = 0;
    std::vector<std::uint64_t> FColumns, FSquares, FPrefix, FPrefixSquares;
};

// Thresholds every pixel against the level the rule gives for its window's mean and
// variance.
template <typename TRule>
TWorkImage Threshold(TGrayPlane in, std::vector<std::uint8_t>& out, TRule rule) {
    const TGrayPlane view = SizeBuffer(out, in.Width, in.Height);
    TWindowSums sums(in);
    std::uint8_t* pixel = out.data();
    const std::uint8_t* source = in.Data;
    for (int y = 0; y < in.Height; ++y) {
        sums.MoveTo(y);
        for (int x = 0; x < in.Width; ++x) {
            double mean = 0;
            double variance = 0;
            sums.At(x, mean, variance);
            *pixel++ = *source++ < rule(mean, variance) ? 0 : 255;
        }
    }
    return {view, {}};
}

} // namespace

TWorkImage MeanThreshold(TGrayPlane in, int c, std::vector<std::uint8_t>& out) {
    return Threshold(in, out, [c](double mean, double) { return mean - c; });
}

TWorkImage SauvolaThreshold(TGrayPlane in, std::vector<std::uint8_t>& out) {
    return Threshold(in, out, [](double mean, double variance) {
        return mean * (1 + 0.2 * (std::sqrt(std::max(0.0, variance)) / 128 - 1));
    });
}

} // namespace Vel
