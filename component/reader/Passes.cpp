// The passes and their order per effort, chosen by measurement on the benchmark corpus and
// the negative set (bench/RESULTS.md).
#include "reader/Pass.h"

#include <array>

namespace Vel {

namespace {

// The retry passes over the whole picture read a large one shrunk (a halving, or a quarter)
// to at most this size: a code in a picture of many megapixels is large enough to be read
// there, and on large pictures without barcodes these passes would cost many times ZBar's.
constexpr long LargePicture = 2000000;

constexpr TPass Default{"default"};
// Beside ZBar's pass, where ZBar found a code: the picture at full size.
constexpr TPass SecondBeside{"zxing", TPassImage::piGray, 0, 0, TPassEngine::peSecond};
constexpr TPass Second{"zxing", TPassImage::piGray, 0, 0, TPassEngine::peSecond, LargePicture};

// Enlarging pays on tiny pictures only (codes of a few pixels a module); its image is nine
// times the picture.
constexpr long TinyPicture = 20000;

constexpr TPass Density3{"density3", TPassImage::piGray, 3};
constexpr TPass Up3{"up3", TPassImage::piUp3, 0, TinyPicture};
constexpr TPass Down2Blur{"down2-blur", TPassImage::piDown2Blur};
constexpr TPass MeanC{"mean-c", TPassImage::piMeanC, 3, 0, TPassEngine::peZBar, LargePicture};
constexpr TPass Equalised{"equalised", TPassImage::piEqualised, 0,
                          0,           TPassEngine::peZBar,     LargePicture};
constexpr TPass Inverted{"inverted", TPassImage::piInverted, 0,
                         0,          TPassEngine::peZBar,    LargePicture};
constexpr TPass Blurred{"blurred", TPassImage::piBlurred, 0, 0, TPassEngine::peZBar, LargePicture};
constexpr TPass Sauvola{"sauvola", TPassImage::piSauvola, 0, 0, TPassEngine::peZBar, LargePicture};
constexpr TPass SauvolaDensity3{"sauvola-density3",  TPassImage::piSauvola, 3, 0,
                                TPassEngine::peZBar, LargePicture};
constexpr TPass SecondInverted{
    "zxing-inverted", TPassImage::piInverted, 0, 0, TPassEngine::peSecond, LargePicture};

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
    return SecondBeside;
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
