// A code's quadrilateral found by its edges, drawn upright as a rectangle, and pass images
// turned by quarters, with their maps back to the picture.
#include "Straighten.h"
#include "CodeQuad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int Modules = 18;
constexpr int ModuleSize = 5;
constexpr int CodeSide = Modules * ModuleSize;

// A square code of Modules x Modules: a dark frame one module wide around modules dark or
// light by a fixed pseudo-random sequence.
bool Dark(int column, int row) {
    if (column == 0 || row == 0 || column == Modules - 1 || row == Modules - 1)
        return true;
    const unsigned mixed = static_cast<unsigned>(column * 7919 + row * 104729) * 2654435761u;
    return (mixed >> 16) % 2 == 1;
}

struct TPicture {
    Bytes Pixels;
    int Width = 0;
    int Height = 0;

    Vel::TGrayPlane View() const { return {Pixels.data(), Width, Height}; }
};

// A picture of width x height whose pixel (x, y) shows the code's point at = toCode(x, y),
// in code pixels from its top left corner; white outside it.
TPicture Draw(int width, int height,
              const std::function<Vel::TPlanePoint(double, double)>& toCode) {
    TPicture picture{Bytes(static_cast<std::size_t>(width * height), 255), width, height};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Vel::TPlanePoint at = toCode(x + 0.5, y + 0.5);
            if (at.X >= 0 && at.Y >= 0 && at.X < CodeSide && at.Y < CodeSide &&
                Dark(static_cast<int>(at.X) / ModuleSize, static_cast<int>(at.Y) / ModuleSize))
                picture.Pixels[static_cast<std::size_t>(y * width + x)] = 0;
        }
    return picture;
}

// The code turned by degrees about the centre of a 160 x 160 picture.
struct TTurned {
    double Degrees;
    TPicture Picture;
    std::array<Vel::TPlanePoint, 4> Corners; // the code's, clockwise from its top left
};

TTurned Turned(double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double centre = 80;
    const auto toPicture = [&](double x, double y) {
        const double dx = x - CodeSide / 2.0;
        const double dy = y - CodeSide / 2.0;
        return Vel::TPlanePoint{centre + c * dx - s * dy, centre + s * dx + c * dy};
    };
    const TPicture picture = Draw(160, 160, [&](double x, double y) {
        const double dx = x - centre;
        const double dy = y - centre;
        return Vel::TPlanePoint{CodeSide / 2.0 + c * dx + s * dy, CodeSide / 2.0 - s * dx + c * dy};
    });
    return {degrees,
            picture,
            {toPicture(0, 0), toPicture(CodeSide, 0), toPicture(CodeSide, CodeSide),
             toPicture(0, CodeSide)}};
}

void ExpectNear(Vel::TPlanePoint actual, Vel::TPlanePoint expected, double tolerance) {
    EXPECT_NEAR(actual.X, expected.X, tolerance)
        << "at (" << expected.X << ", " << expected.Y << ")";
    EXPECT_NEAR(actual.Y, expected.Y, tolerance)
        << "at (" << expected.X << ", " << expected.Y << ")";
}

class CodeQuadTurned : public testing::TestWithParam<double> {};

// The corners come clockwise from the top left whichever way the code is turned, the top
// side the one nearest to horizontal.
TEST_P(CodeQuadTurned, FindsTheCornersOfATurnedCode) {
    const TTurned turned = Turned(GetParam());
    const auto quad = Vel::FindCodeQuad(turned.Picture.View());
    ASSERT_TRUE(quad);
    for (std::size_t corner = 0; corner < 4; ++corner)
        ExpectNear((*quad)[corner], turned.Corners[corner], 3);
}

INSTANTIATE_TEST_SUITE_P(Angles, CodeQuadTurned, testing::Values(0.0, 5.0, 20.0, 40.0, -30.0));

// Seen at an angle: the top row shrunk to 70% about the centre, the rows between in
// proportion.
TEST(CodeQuad, FindsTheCornersOfASlantedCode) {
    const double left = 30;
    const double top = 25;
    const auto scale = [](double y) {
        return 0.7 + 0.3 * y / CodeSide;
    };
    const TPicture picture = Draw(150, 140, [&](double x, double y) {
        const double codeY = y - top;
        return Vel::TPlanePoint{CodeSide / 2.0 + (x - left - CodeSide / 2.0) / scale(codeY), codeY};
    });
    const auto quad = Vel::FindCodeQuad(picture.View());
    ASSERT_TRUE(quad);
    const double inset = CodeSide * 0.15;
    ExpectNear((*quad)[0], {left + inset, top}, 3);
    ExpectNear((*quad)[1], {left + CodeSide - inset, top}, 3);
    ExpectNear((*quad)[2], {left + CodeSide, top + CodeSide}, 3);
    ExpectNear((*quad)[3], {left, top + CodeSide}, 3);
}

TEST(CodeQuad, NoneWithoutACode) {
    // Even; a ring drawn with a thin line (its region does not fill its hull); a bar far
    // longer than wide.
    const TPicture even{Bytes(100 * 80, 200), 100, 80};
    const TPicture ring = Draw(200, 200, [](double x, double y) {
        const double radius = std::hypot(x - 100, y - 100);
        return std::abs(radius - 80) < 1.5 ? Vel::TPlanePoint{1, 1} : Vel::TPlanePoint{-1, -1};
    });
    const TPicture bar = Draw(300, 60, [](double x, double y) {
        return x >= 20 && x < 280 && y >= 20 && y < 40 ? Vel::TPlanePoint{1, 1}
                                                       : Vel::TPlanePoint{-1, -1};
    });
    EXPECT_FALSE(Vel::FindCodeQuad(even.View()));
    EXPECT_FALSE(Vel::FindCodeQuad(ring.View()));
    EXPECT_FALSE(Vel::FindCodeQuad(bar.View()));
}

// Straightened, the code's modules are back on an upright grid, and the map takes the
// straightened code's corners to the picture's.
TEST(Straighten, DrawsTheTurnedCodeUprightAndMapsBack) {
    const TTurned turned = Turned(25);
    Bytes out;
    const Vel::TWorkImage image = Vel::Straighten(turned.Picture.View(), out);
    ASSERT_NE(image.View.Data, turned.Picture.Pixels.data());
    // Enlarged 3 times (towards 300 pixels a side), in a margin of a fifth of its side.
    const double side = image.View.Width / 1.4;
    const double margin = side / 5;
    EXPECT_NEAR(side, 3 * CodeSide, 3 * 4);
    const std::array<Vel::TPlanePoint, 4> corners = {Vel::TPlanePoint{margin, margin},
                                                     {margin + side, margin},
                                                     {margin + side, margin + side},
                                                     {margin, margin + side}};
    for (std::size_t corner = 0; corner < 4; ++corner) {
        const Vel::TReadPoint back = image.Map.Apply(static_cast<int>(corners[corner].X),
                                                     static_cast<int>(corners[corner].Y));
        ExpectNear({double(back.X), double(back.Y)}, turned.Corners[corner], 3);
    }
    int wrong = 0;
    for (int row = 0; row < Modules; ++row)
        for (int column = 0; column < Modules; ++column) {
            const int u = static_cast<int>(margin + (column + 0.5) * side / Modules);
            const int v = static_cast<int>(margin + (row + 0.5) * side / Modules);
            const bool dark =
                image.View.Data[static_cast<std::size_t>(v * image.View.Width + u)] < 128;
            wrong += dark != Dark(column, row);
        }
    EXPECT_LE(wrong, 3) << "of " << Modules * Modules << " modules";
}

TEST(Straighten, LeavesAPictureWithoutACode) {
    const Bytes even(64 * 48, 90);
    Bytes out;
    EXPECT_EQ(Vel::Straighten({even.data(), 64, 48}, out).View.Data, even.data());
}

// Each pixel of the turned image maps where the same pixel of the image mapped, for a map
// with a bilinear term.
TEST(TurnQuarters, TurnsClockwiseAndComposesTheMap) {
    const Bytes in = {1, 2, 3, //
                      4, 5, 6};
    const Vel::TWorkImage image{{in.data(), 3, 2}, {2, 0.5, 10, -1, 3, 20, 0.25, -0.5}};
    const std::vector<Bytes> expected = {
        {4, 1, 5, 2, 6, 3}, {6, 5, 4, 3, 2, 1}, {3, 6, 2, 5, 1, 4}};
    for (int turns = 1; turns <= 3; ++turns) {
        Bytes out;
        const Vel::TWorkImage turned = Vel::TurnQuarters(image, turns, out);
        EXPECT_EQ(turned.View.Width, turns == 2 ? 3 : 2);
        EXPECT_EQ(out, expected[static_cast<std::size_t>(turns - 1)]) << turns;
        for (int v = 0; v < turned.View.Height; ++v)
            for (int u = 0; u < turned.View.Width; ++u) {
                const int level = out[static_cast<std::size_t>(v * turned.View.Width + u)];
                const int x = (level - 1) % 3;
                const int y = (level - 1) / 3;
                const Vel::TReadPoint got = turned.Map.Apply(u, v);
                const Vel::TReadPoint want = image.Map.Apply(x, y);
                EXPECT_EQ(got.X, want.X) << turns << ": " << u << "," << v;
                EXPECT_EQ(got.Y, want.Y) << turns << ": " << u << "," << v;
            }
    }
}

} // namespace
