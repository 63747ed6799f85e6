#include "Conversions.h"
#include "LoaderFixtures.h"
#include "vel/Names.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <type_traits>

using namespace Vel;
using Sy = TVelSymbology;
using Sa = TVelSymbologyAddon;
using Mo = TVelModifier;

static_assert(std::is_same_v<std::underlying_type_t<TVelSymbology>, std::uint8_t>);
static_assert(std::is_same_v<std::underlying_type_t<TVelSymbologyAddon>, std::uint8_t>);
static_assert(std::is_same_v<std::underlying_type_t<TVelConfig>, std::uint16_t>);
static_assert(std::is_same_v<std::underlying_type_t<TVelOrientation>, std::int8_t>);
static_assert(std::is_same_v<std::underlying_type_t<TVelModifier>, std::uint8_t>);
static_assert(std::is_same_v<std::underlying_type_t<TVelImageFormat>, std::uint8_t>);
static_assert(sizeof(TVelModifiers) == 1);

TEST(ConversionsTest, SymbolTypeCodeIsTheSymbologyWithTheAddonBits) {
    struct {
        Sy Symbology;
        Sa Addon;
        unsigned Code;
    } const cases[] = {
        {Sy::syCode128, Sa::saNone, 128},    {Sy::syEan8, Sa::sa2Digit, 0x0208},
        {Sy::syEan13, Sa::sa5Digit, 0x050D}, {Sy::syNone, Sa::saNone, 0},
        {Sy::syQrCode, Sa::saNone, 64},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SymbolTypeCode(c.Symbology, c.Addon), c.Code) << c.Code;
}

TEST(ConversionsTest, SymbologyAndAddonFromCode) {
    struct {
        unsigned Code;
        Sy Symbology;
        Sa Addon;
    } const cases[] = {
        {0x050D, Sy::syEan13, Sa::sa5Digit}, {0x020D, Sy::syEan13, Sa::sa2Digit},
        {0x070D, Sy::syEan13, Sa::saNone},   {0x010D, Sy::syEan13, Sa::saNone},
        {0x0080, Sy::syCode128, Sa::saNone}, {0xFF40, Sy::syQrCode, Sa::saNone},
    };
    for (const auto& c : cases) {
        const auto code = static_cast<ZBar::zbar_symbol_type_t>(c.Code);
        EXPECT_EQ(SymbologyFromCode(code), c.Symbology) << c.Code;
        EXPECT_EQ(AddonFromCode(code), c.Addon) << c.Code;
    }
}

TEST(ConversionsTest, ModifiersFromMaskKeepBitsZeroAndOne) {
    struct {
        unsigned Mask;
        TVelModifiers Modifiers;
        std::uint8_t Bits;
    } const cases[] = {
        {0, {}, 0},
        {1, {Mo::moGs1Reserved}, 1},
        {2, {Mo::moAimReserved}, 2},
        {3, {Mo::moGs1Reserved, Mo::moAimReserved}, 3},
        {4, {}, 0},
        {0xFFFFFFFE, {Mo::moAimReserved}, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModifiersFromMask(c.Mask), c.Modifiers) << c.Mask;
        EXPECT_EQ(ModifiersFromMask(c.Mask).Bits(), c.Bits) << c.Mask;
    }
    EXPECT_TRUE(ModifiersFromMask(4).Empty());
    EXPECT_TRUE(ModifiersFromMask(3).Contains(Mo::moAimReserved));
}

// Bit N of a symbol's mask is setting N; coEnable, which every symbol found has, is left out.
TEST(ConversionsTest, ConfigsFromMaskListTheSettingsInCodeOrder) {
    using Co = TVelConfig;
    EXPECT_EQ(ConfigsFromMask(0), std::vector<Co>{});
    EXPECT_EQ(ConfigsFromMask(1), std::vector<Co>{});
    EXPECT_EQ(ConfigsFromMask(0b101), std::vector<Co>{Co::coEmitCheck});
    EXPECT_EQ(ConfigsFromMask(0xFFFFFFFF),
              (std::vector<Co>{Co::coAddCheck, Co::coEmitCheck, Co::coAscii, Co::coBinary}));
}

TEST_F(FakeZBarTest, NameFunctionsAskZBarForTheCodeAndConvertItsText) {
    struct {
        std::function<Host::String()> Name;
        const char* Function;
        long long Code;
        const char16_t* Text;
    } const cases[] = {
        {[] { return SymbologyName(Sy::syEan13); }, "zbar_get_symbol_name", 13, u"symbol 13"},
        {[] { return SymbologyAddonName(Sa::saNone); }, "zbar_get_addon_name", 0, u"addon 0"},
        {[] { return SymbologyAddonName(Sa::sa2Digit); }, "zbar_get_addon_name", 0x200,
         u"addon 512"},
        {[] { return SymbologyAddonName(Sa::sa5Digit); }, "zbar_get_addon_name", 0x500,
         u"addon 1280"},
        {[] { return ModifierName(Mo::moAimReserved); }, "zbar_get_modifier_name", 1,
         u"modifier 1"},
        {[] { return ConfigName(TVelConfig::coEmitCheck); }, "zbar_get_config_name", 2,
         u"config 2"},
        {[] { return OrientationName(TVelOrientation::orUnknown); }, "zbar_get_orientation_name",
         -1, u"orientation -1"},
    };
    for (const auto& c : cases) {
        Fake.Reset();
        EXPECT_EQ(c.Name(), c.Text);
        const auto calls = Fake.CallsTo(c.Function);
        ASSERT_EQ(calls.size(), 1u) << c.Function;
        EXPECT_EQ(calls[0].Args, std::vector{static_cast<unsigned long long>(c.Code)});
    }
}
