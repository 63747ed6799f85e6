// The passes and their order per effort, chosen by measurement on the benchmark corpus and
// the negative set (bench/RESULTS.md).
#include "reader/Pass.h"

#include <array>

namespace Vel {

namespace {

constexpr TPass Default{"default"};
constexpr TPass Second{"zxing", TPassImage::piGray, 0, 0, TPassEngine::peSecond};

// Enlarging pays on tiny pictures only (codes of a few pixels a module); its image is nine
// times the picture.
constexpr long TinyPicture = 20000;

constexpr TPass Density3{"density3", TPassImage::piGray, 3};
constexpr TPass Up3{"up3", TPassImage::piUp3, 0, TinyPicture};
constexpr TPass Down2Blur{"down2-blur", TPassImage::piDown2Blur};
constexpr TPass MeanC{"mean-c", TPassImage::piMeanC, 3};
constexpr TPass Equalised{"equalised", TPassImage::piEqualised};
constexpr TPass Inverted{"inverted", TPassImage::piInverted};
constexpr TPass Blurred{"blurred", TPassImage::piBlurred};
constexpr TPass Sauvola{"sauvola", TPassImage::piSauvola};
constexpr TPass SauvolaDensity3{"sauvola-density3", TPassImage::piSauvola, 3};
constexpr TPass SecondInverted{"zxing-inverted", TPassImage::piInverted, 0, 0,
                               TPassEngine::peSecond};

// Chosen on the tuning half of the corpus and checked on the other half (bench/RESULTS.md).
constexpr std::array NormalRetries = {Second, Density3, Up3, Down2Blur, SecondInverted};
constexpr std::array ThoroughRetries = {
    Second,    Density3, Up3,     Down2Blur, SecondInverted, MeanC,
    Equalised, Inverted, Blurred, Sauvola,   SauvolaDensity3};

} // namespace

bool Applies(const TPass& pass, TGrayPlane gray) {
    return pass.MaxPixels == 0 || long{gray.Width} * gray.Height <= pass.MaxPixels;
}

const TPass& DefaultPass() {
    return Default;
}

const TPass& SecondEnginePass() {
    return Second;
}

std::span<const TPass> AllRetryPasses() {
    return ThoroughRetries;
}

std::span<const TPass> RetryPasses(TVelEffort effort) {
    switch (effort) {
    case TVelEffort::efFast:
        return {};
    case TVelEffort::efNormal:
        return NormalRetries;
    case TVelEffort::efThorough:
        return ThoroughRetries;
    }
    return {};
}

} // namespace Vel
