// The passes and their order per effort, chosen by measurement on the benchmark corpus and
// the negative set (bench/RESULTS.md).
#include "reader/Pass.h"

#include <array>

namespace Vel {

namespace {

constexpr TPass Default{"default"};

// Enlarging pays on tiny pictures only (codes of a few pixels a module); its image is nine
// times the picture.
constexpr long TinyPicture = 20000;

// Measured one by one where ZBar's own pass finds nothing (bench/RESULTS.md): the first three
// are the cheapest that gain, the rest gain a picture or two each at more cost.
constexpr std::array<TPass, 9> Retries = {{
    {"density3", TPassImage::piGray, 3},
    {"up3", TPassImage::piUp3, 0, TinyPicture},
    {"down2-blur", TPassImage::piDown2Blur},
    {"mean-c", TPassImage::piMeanC, 3},
    {"equalised", TPassImage::piEqualised},
    {"inverted", TPassImage::piInverted},
    {"blurred", TPassImage::piBlurred},
    {"sauvola", TPassImage::piSauvola},
    {"sauvola-density3", TPassImage::piSauvola, 3},
}};

constexpr std::size_t NormalRetries = 3;

} // namespace

bool Applies(const TPass& pass, TGrayPlane gray) {
    return pass.MaxPixels == 0 || long{gray.Width} * gray.Height <= pass.MaxPixels;
}

const TPass& DefaultPass() {
    return Default;
}

std::span<const TPass> AllRetryPasses() {
    return Retries;
}

std::span<const TPass> RetryPasses(TVelEffort effort) {
    switch (effort) {
    case TVelEffort::efFast:
        return {};
    case TVelEffort::efNormal:
        return std::span(Retries).first(NormalRetries);
    case TVelEffort::efThorough:
        return Retries;
    }
    return {};
}

} // namespace Vel
