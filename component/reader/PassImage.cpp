// The image of each kind of pass, from the filters of its family.
#include "reader/Pass.h"
#include "reader/Scaling.h"
#include "reader/Threshold.h"
#include "reader/Tone.h"

namespace Vel {

namespace {

// The mean threshold's margin below the window's mean, in gray levels.
constexpr int MeanMargin = 10;

} // namespace

TWorkImage MakePassImage(const TPass& pass, TGrayPlane gray, std::vector<std::uint8_t>& first,
                         std::vector<std::uint8_t>& second) {
    switch (pass.Image) {
    case TPassImage::piGray:
        return {gray, {}};
    case TPassImage::piDown2Blur: {
        const TWorkImage half = DownScale2(gray, first);
        return {BlurSigma1(half.View, first, second).View, half.Map};
    }
    case TPassImage::piMeanC:
        return MeanThreshold(gray, MeanMargin, first);
    case TPassImage::piSauvola:
        return SauvolaThreshold(gray, first);
    case TPassImage::piInverted:
        return Invert(gray, first);
    case TPassImage::piEqualised:
        return Equalise(gray, first);
    case TPassImage::piUp3:
        return UpScaleBilinear(gray, 3, first);
    case TPassImage::piBlurred:
        return BlurSigma1(gray, first, second);
    }
    return {gray, {}};
}

} // namespace Vel
