// The records the design package carries, read back through the host's resource functions,
// the fixed messages of the loader and the component among them.
#include "vel/VelClass.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Designer.h"
#include "vel/host/Resources.h"
#include "vel/host/VersionInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using namespace Host;

// W B W B W B B W W B W B B W W B B W W B W B W W
constexpr char GlyphRow[] = "WBWBWBBWWBWBBWWBBWWBWBWW";
const std::vector<std::pair<uint16_t, String>> Messages = {
    {65520, u"ZBar Symbol is null"},
    {65521, u"Can't create ZBar ImageScanner"},
    {65522, u"Can't create ZBar Image"},
    {65523, u"Configuration error"},
    {65524, u"Scan error"},
    {65525, u"Incorrect index"},
    {65526, u"ZBar library is not loaded"},
    {65527, u"No image to scan"},
    {65528, u"ZBar library was unloaded after this object was created"}};

bool WhiteAt(int x, int y) {
    return y < 2 || y >= 22 || GlyphRow[x] == 'W';
}

uint32_t U32(TResourceData data, size_t at) {
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
           static_cast<uint32_t>(data[at + 3]) << 24;
}
uint16_t U16(TResourceData data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

std::optional<String> TryLoad(const TResourceTable& table, uint32_t number) {
    try {
        return LoadResString(table, static_cast<uint16_t>(number));
    } catch (const EResNotFound&) {
        return std::nullopt;
    }
}

class PackageRecords : public testing::Test {
protected:
    static void SetUpTestSuite() { Module = LoadModule(FromAnsi(VELP_FILE)); }
    static void TearDownTestSuite() { FreeModule(Module); }

    const TResourceTable& Table() const {
        const TResourceTable* table = ModuleResources(Module);
        EXPECT_NE(table, nullptr);
        return *table;
    }

    static inline TModuleHandle Module = nullptr;
};

TEST_F(PackageRecords, TheLibraryIsVersionedThePlatformsWay) {
    ASSERT_NE(Module, nullptr) << ToAnsi(SysErrorMessage(GetLastModuleError()));
    EXPECT_EQ(std::filesystem::path(VELP_FILE).filename(), "libvelp.so.1.0.0.0");
    EXPECT_EQ(std::filesystem::path(VELP_SONAME_FILE).filename(), "libvelp.so.1");
}

TEST_F(PackageRecords, DescriptionPlatformsAndVersion) {
    const auto description = FindResource(Table(), TResourceType::rtRCData, u"DESCRIPTION");
    ASSERT_TRUE(description);
    String text;
    for (size_t i = 0; i + 1 < description->size() && U16(*description, i) != 0; i += 2)
        text += static_cast<char16_t>(U16(*description, i));
    EXPECT_EQ(text, u"Halvane VEL Component");

    const auto platforms = FindResource(Table(), TResourceType::rtRCData, u"PLATFORMTARGETS");
    ASSERT_TRUE(platforms);
    EXPECT_EQ(U32(*platforms, 0), 3u);
    ASSERT_TRUE(Vel::TVelClass().ComponentPlatforms);
    EXPECT_EQ(Vel::TVelClass().ComponentPlatforms->Platforms, 3u);

    const auto version = FindResource(Table(), TResourceType::rtVersion, uint16_t{1});
    ASSERT_TRUE(version);
    const TVersionInfo info = ReadVersionInfo(*version);
    EXPECT_EQ(VersionText(info.FileVersion), u"1.0.0.0");
    EXPECT_EQ(VersionText(info.ProductVersion), u"1.0.0.0");
    EXPECT_EQ(info.Language, 0x0409);
    EXPECT_EQ(info.CodePage, 1252);
    EXPECT_EQ(info.Strings.at(u"FileDescription"), u"Halvane VEL Component");
}

TEST_F(PackageRecords, TheGlyphIsA4BitBarcodeWithTheStandardPalette) {
    const auto dib = FindResource(Table(), TResourceType::rtBitmap, u"TVEL");
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib->size(), 40u + 16 * 4 + 24 * 12);
    EXPECT_EQ(U32(*dib, 4), 24u); // width
    EXPECT_EQ(U32(*dib, 8), 24u); // height, rows bottom-up
    EXPECT_EQ(U16(*dib, 14), 4);  // bits per pixel
    EXPECT_EQ(U32(*dib, 16), 0u); // uncompressed
    const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                              0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                              0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(U32(*dib, 40 + 4 * i), vga[i]) << i;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const uint8_t byte = (*dib)[40 + 64 + (23 - y) * 12 + x / 2];
            const int index = x % 2 == 0 ? byte >> 4 : byte & 0xF;
            EXPECT_EQ(index, WhiteAt(x, y) ? 15 : 0) << x << "," << y;
        }

    const auto glyph = LoadResourceBitmap(Table(), u"TVEL");
    EXPECT_EQ(glyph->PixelFormat(), TPixelFormat::pf4bit);
    ASSERT_EQ(glyph->Palette().size(), 16u);
    TBitmap colours;
    colours.Assign(glyph.get());
    colours.SetPixelFormat(TPixelFormat::pf32bit);
    ASSERT_EQ(colours.Width(), 24);
    ASSERT_EQ(colours.Height(), 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(static_cast<const uint32_t*>(colours.GetScanline(y))[x] & 0xFFFFFF,
                      WhiteAt(x, y) ? 0xFFFFFFu : 0u);
}

TEST_F(PackageRecords, TheMainIconIs32By32In16Colours) {
    const auto group = FindResource(Table(), TResourceType::rtGroupIcon, u"MAINICON");
    ASSERT_TRUE(group);
    ASSERT_EQ(U16(*group, 4), 1); // one image
    EXPECT_EQ((*group)[6], 32);
    EXPECT_EQ((*group)[7], 32);
    EXPECT_EQ((*group)[8], 16);
    EXPECT_EQ(U16(*group, 12), 4);
    const auto icon = FindResource(Table(), TResourceType::rtIcon, U16(*group, 18));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->size(), U32(*group, 14));
    EXPECT_EQ(U32(*icon, 4), 32u);
    EXPECT_EQ(U32(*icon, 8), 64u); // image and mask
    EXPECT_EQ(U16(*icon, 14), 4);
}

TEST_F(PackageRecords, TheMessageTableHoldsTheFixedMessagesInOrder) {
    for (const auto& [number, text] : Messages)
        EXPECT_EQ(LoadResString(Table(), number), text);
    for (uint32_t number = 65520; number < 65536; ++number) {
        const auto message = std::find_if(Messages.begin(), Messages.end(),
                                          [&](const auto& m) { return m.first == number; });
        const std::optional<String> expected =
            message == Messages.end() ? std::nullopt : std::optional(message->second);
        EXPECT_EQ(TryLoad(Table(), number), expected) << number;
    }
    EXPECT_THROW(LoadResString(Table(), 1), EResNotFound);
}

} // namespace
