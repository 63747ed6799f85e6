// The image of each kind of pass, from the filters of its family.
#include "Deskew.h"
#include "Pass.h"
#include "Scaling.h"
#include "Straighten.h"
#include "Threshold.h"
#include "Tone.h"

namespace Vel {

namespace {

// The mean threshold's margin below the window's mean, in gray levels.
constexpr int MeanMargin = 10;

// The smallest power of two that brings the picture to at most limit pixels.
int ShrinkFactor(TGrayPlane gray, long limit) {
    int factor = 1;
    while (long{gray.Width / factor} * (gray.Height / factor) > limit)
        factor *= 2;
    return factor;
}

TWorkImage MakeImage(TPassImage kind, TGrayPlane gray, std::vector<std::uint8_t>& first,
                     std::vector<std::uint8_t>& second) {
    switch (kind) {
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
    case TPassImage::piLowContrastEqualised:
        return EqualiseLowContrast(gray, first);
    case TPassImage::piUp3:
        return UpScaleBilinear(gray, 3, first);
    case TPassImage::piUp3Cubic:
        return UpScaleCubic(gray, 3, first);
    case TPassImage::piBlurred:
        return BlurSigma1(gray, first, second);
    case TPassImage::piDeskewed:
        return Deskew(gray, first);
    case TPassImage::piStraightened:
        return Straighten(gray, first);
    }
    return {gray, {}};
}

// The map of an image made from a shrunk picture: the image's map, then the shrinking's.
TPointMap Compose(const TPointMap& shrunk, const TPointMap& image) {
    return {shrunk.Xu * image.Xu,  shrunk.Xu * image.Xv, shrunk.Xu * image.X0 + shrunk.X0,
            shrunk.Yv * image.Yu,  shrunk.Yv * image.Yv, shrunk.Yv * image.Y0 + shrunk.Y0,
            shrunk.Xu * image.Xuv, shrunk.Yv * image.Yuv};
}

} // namespace

TWorkImage MakePassImage(const TPass& pass, TGrayPlane gray, TPassBuffers& buffers) {
    if (pass.ShrinkAbove == 0 || long{gray.Width} * gray.Height <= pass.ShrinkAbove)
        return MakeImage(pass.Image, gray, buffers.First, buffers.Second);
    const TWorkImage shrunk = DownScale(gray, ShrinkFactor(gray, pass.ShrinkAbove), buffers.Shrunk);
    TWorkImage image = MakeImage(pass.Image, shrunk.View, buffers.First, buffers.Second);
    image.Map = Compose(shrunk.Map, image.Map);
    return image;
}

} // namespace Vel
