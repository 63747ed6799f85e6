// Which retry passes each effort tries on pictures of each size.
#include "Pass.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

// The names of the effort's passes tried on a picture of the size.
std::vector<std::string_view> Tried(Vel::TVelEffort effort, int width, int height) {
    const Vel::TGrayPlane plane{nullptr, width, height};
    std::vector<std::string_view> names;
    for (const Vel::TPass& pass : Vel::RetryPasses(effort))
        if (Vel::Applies(pass, plane))
            names.push_back(pass.Name);
    return names;
}

// Thorough's own passes paid on small pictures only: on a photograph it costs what normal
// costs.
TEST(Passes, ThoroughTriesNoMoreThanNormalOnALargePicture) {
    for (const auto& [width, height] : {std::pair{413, 413}, {1280, 960}, {8000, 6000}})
        EXPECT_EQ(Tried(Vel::TVelEffort::efThorough, width, height),
                  Tried(Vel::TVelEffort::efNormal, width, height))
            << width << " x " << height;
}

TEST(Passes, ThoroughTriesMoreThanNormalOnASmallPicture) {
    for (const auto& [width, height] : {std::pair{412, 412}, {640, 240}, {120, 60}})
        EXPECT_GT(Tried(Vel::TVelEffort::efThorough, width, height).size(),
                  Tried(Vel::TVelEffort::efNormal, width, height).size())
            << width << " x " << height;
}

TEST(Passes, FastTriesNone) {
    EXPECT_TRUE(Tried(Vel::TVelEffort::efFast, 120, 60).empty());
}

} // namespace
