// The passes and their order per effort, chosen by measurement on the benchmark corpus and
// the negative set (bench/RESULTS.md).
#include "Pass.h"

#include <array>

namespace Vel {

namespace {

// The retry passes over the whole picture read a large one shrunk (a halving, or a quarter)
// to at most this size: a code in a picture of many megapixels is large enough to be read
// there, and on large pictures without barcodes these passes would cost many times ZBar's.
constexpr long LargePicture = 2000000;

constexpr TPass Default{"default"};
// Beside ZBar's pass, where ZBar found a code: the picture at full size.
constexpr TPass SecondBeside{.Name = "zxing", .Engine = TPassEngine::peSecond};
constexpr TPass Second{
    .Name = "zxing", .Engine = TPassEngine::peSecond, .ShrinkAbove = LargePicture};

// Turning upright pays on pictures of one code; on a larger scene the strongest edges are
// seldom the code's.
constexpr long SmallPicture = 1000000;

// Enlarging pays on tiny pictures only (codes of a few pixels a module); its image is nine
// times the picture.
constexpr long TinyPicture = 20000;

constexpr TPass Density3{.Name = "density3", .Density = 3};
constexpr TPass Up3{.Name = "up3", .Image = TPassImage::piUp3, .MaxPixels = TinyPicture};
constexpr TPass Down2Blur{.Name = "down2-blur", .Image = TPassImage::piDown2Blur};
// Thorough's own passes read small pictures only: every code they added on the corpus, on
// the tuning half and on the checking half alike, was in a picture under this size, and on a
// large photograph they would only cost time.
constexpr long ThoroughPicture = 170000;

constexpr TPass MeanC{
    .Name = "mean-c", .Image = TPassImage::piMeanC, .Density = 3, .MaxPixels = ThoroughPicture};
constexpr TPass Equalised{
    .Name = "equalised", .Image = TPassImage::piEqualised, .MaxPixels = ThoroughPicture};
constexpr TPass Inverted{
    .Name = "inverted", .Image = TPassImage::piInverted, .MaxPixels = ThoroughPicture};
constexpr TPass Blurred{
    .Name = "blurred", .Image = TPassImage::piBlurred, .MaxPixels = ThoroughPicture};
constexpr TPass Sauvola{
    .Name = "sauvola", .Image = TPassImage::piSauvola, .MaxPixels = ThoroughPicture};
constexpr TPass SauvolaDensity3{.Name = "sauvola-density3",
                                .Image = TPassImage::piSauvola,
                                .Density = 3,
                                .MaxPixels = ThoroughPicture};
constexpr TPass SecondInverted{.Name = "zxing-inverted",
                               .Image = TPassImage::piInverted,
                               .Engine = TPassEngine::peSecond,
                               .ShrinkAbove = LargePicture};
constexpr TPass SecondDeskewed{.Name = "zxing-deskewed",
                               .Image = TPassImage::piDeskewed,
                               .MaxPixels = SmallPicture,
                               .Engine = TPassEngine::peSecond};
constexpr TPass SecondUp3Cubic{.Name = "zxing-up3-cubic",
                               .Image = TPassImage::piUp3Cubic,
                               .MaxPixels = TinyPicture,
                               .Engine = TPassEngine::peSecond};
constexpr TPass SecondEqualised{.Name = "zxing-equalised",
                                .Image = TPassImage::piLowContrastEqualised,
                                .Engine = TPassEngine::peSecond,
                                .ShrinkAbove = LargePicture};
// A two-dimensional code straightened from the quadrilateral of its outline: for the codes
// ZBar lacks only: a DataBar straightened aborts zxing-cpp 1.4 (the corpus's rss14-1/11).
constexpr TPass SecondStraightened{.Name = "zxing-straightened",
                                   .Image = TPassImage::piStraightened,
                                   .MaxPixels = SmallPicture,
                                   .Engine = TPassEngine::peSecond,
                                   .QuarterTurns = true,
                                   .LackedOnly = true};

// Chosen on the tuning half of the corpus and checked on the other half (bench/RESULTS.md).
constexpr std::array NormalRetries = {Second,         Density3,       Up3,
                                      Down2Blur,      SecondInverted, SecondEqualised,
                                      SecondDeskewed, SecondUp3Cubic, SecondStraightened};
constexpr std::array ThoroughRetries = {Second,         Density3,       Up3,
                                        Down2Blur,      SecondInverted, SecondEqualised,
                                        SecondDeskewed, SecondUp3Cubic, SecondStraightened,
                                        MeanC,          Equalised,      Inverted,
                                        Blurred,        Sauvola,        SauvolaDensity3};

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
