// The reader's passes: what image each hands to ZBar and with which density; and the
// retry passes of each effort, in the order they are tried.
#pragma once

#include "WorkImage.h"
#include "vel/ReadOptions.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Vel {

enum class TPassImage : std::uint8_t {
    piGray,                 // the picture's gray bytes as they are
    piDown2Blur,            // halved (box filter), then blurred with sigma 1
    piMeanC,                // thresholded against the window's mean less 10
    piSauvola,              // Sauvola's threshold
    piInverted,             // 255 - level
    piEqualised,            // histogram equalisation
    piLowContrastEqualised, // equalised where the contrast is low, else the picture
    piUp3,                  // enlarged 3 times, bilinear
    piUp3Cubic,             // enlarged 3 times, cubic (Catmull-Rom)
    piBlurred,              // blurred with sigma 1
    piDeskewed,             // turned upright by the angle of its strongest edges
    piStraightened,         // its code's quadrilateral drawn upright as a rectangle
};

// The engine a pass hands its image to.
enum class TPassEngine : std::uint8_t {
    peZBar,   // ZBar, with the pass's density
    peSecond, // the second engine (SecondEngine.h); nothing in a build without it
};

struct TPass {
    std::string_view Name;
    TPassImage Image = TPassImage::piGray;
    int Density = 0; // ZBar's x- and y-density for the pass; 0 keeps ZBar's default (1)
    // The largest picture (width x height) the pass is tried on; 0: any. Enlarging pays on
    // small pictures only, and its image grows with the square of the factor.
    long MaxPixels = 0;
    TPassEngine Engine = TPassEngine::peZBar;
    // The largest picture the pass reads at full size; a larger one is halved (box filter)
    // until it is no larger before the pass's image is made. 0: any.
    long ShrinkAbove = 0;
    // A second engine's pass that, finding nothing where its image's centre is MaxiCode's
    // finder, also reads the image turned by each quarter (the engine reads it upright only).
    bool QuarterTurns = false;
    // A second engine's pass that looks for the codes ZBar lacks only, even where it could
    // look for every code (an abort costing a worker process, not the caller's).
    bool LackedOnly = false;
};

// Whether the pass is tried on a picture of that size.
bool Applies(const TPass& pass, TGrayPlane gray);

// ZBar's own pass: the gray bytes with ZBar's defaults.
const TPass& DefaultPass();

// Every retry pass the reader knows, for measurements.
std::span<const TPass> AllRetryPasses();

// The second engine's pass over the gray picture, run beside ZBar's own pass for the codes
// ZBar lacks.
const TPass& SecondEnginePass();

// The retry passes of an effort, cheapest and most fruitful first; none at efFast.
std::span<const TPass> RetryPasses(TVelEffort effort);

// The working buffers of the pass images: first, second for a pass that needs a step in
// between, the shrunk picture of a pass over a large one, and a pass image turned by quarters.
struct TPassBuffers {
    std::vector<std::uint8_t> First;
    std::vector<std::uint8_t> Second;
    std::vector<std::uint8_t> Shrunk;
    std::vector<std::uint8_t> Turned;
};

// Makes the pass's image from the gray picture (shrunk first where it is larger than the
// pass's ShrinkAbove) in the working buffers. piGray at full size returns the picture itself.
TWorkImage MakePassImage(const TPass& pass, TGrayPlane gray, TPassBuffers& buffers);

} // namespace Vel
