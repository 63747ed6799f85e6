// The wrappers and the name functions call ZBar only through the table, so each raises while
// no library is loaded.
#include "LoaderFixtures.h"
#include "vel/Vel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Vel;

TEST_F(LoaderStateTest, WrappersAndNamesRaiseWhileNothingIsLoaded) {
    const std::function<void()> operations[] = {
        [] { TVelImageScanner scanner; },
        [] { TVelImage image(TVelImageFormat::foY800, 0, 0, nullptr, 0); },
        [] { TVelSymbol symbol(nullptr, nullptr); },
        [] {
            const char somewhere = 0;
            TVelSymbol symbol(nullptr, reinterpret_cast<const ZBar::zbar_symbol_t*>(&somewhere));
        },
        [] { SymbologyName(TVelSymbology::syEan13); },
        [] { SymbologyAddonName(TVelSymbologyAddon::saNone); },
        [] { ModifierName(TVelModifier::moGs1Reserved); },
        [] { OrientationName(TVelOrientation::orUp); },
    };
    for (const auto& operation : operations)
        EXPECT_VEL_ERROR(operation(), "ZBar library is not loaded");
}

} // namespace
