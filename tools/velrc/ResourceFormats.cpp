#include "ResourceFormats.h"

#include "vel/host/BmpFormat.h"
#include "vel/host/LittleEndian.h"

#include <cstdio>

namespace VelRc {

const std::array<uint32_t, 16> Vga16Palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

namespace {

using Host::AppendDWord;
using Host::AppendWord;
using Host::WriteWord;

constexpr uint32_t FixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t FixedInfoStructVersion = 0x00010000;
constexpr uint32_t FileTypeDll = 2;

void PutText(TBytes& out, const std::u16string& text) {
    for (const char16_t c : text)
        AppendWord(out, c);
    AppendWord(out, 0);
}

void Align4(TBytes& out) {
    while (out.size() % 4 != 0)
        out.push_back(0);
}

int Width(const TIndexedPicture& picture) {
    return picture.empty() ? 0 : static_cast<int>(picture.front().size());
}

int Height(const TIndexedPicture& picture) {
    return static_cast<int>(picture.size());
}

size_t RowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void PutInfoHeader(TBytes& out, int width, int height) {
    AppendDWord(out, Host::BmpInfoHeaderSize);
    AppendDWord(out, static_cast<uint32_t>(width));
    AppendDWord(out, static_cast<uint32_t>(height));
    AppendWord(out, 1); // planes
    AppendWord(out, 4); // bits per pixel
    AppendDWord(out, Host::BiRgb);
    AppendDWord(out, static_cast<uint32_t>(RowBytes(width, 4) * static_cast<size_t>(height)));
    AppendDWord(out, 0); // horizontal and vertical resolution: unspecified
    AppendDWord(out, 0);
    AppendDWord(out, 16); // colours used
    AppendDWord(out, 0);  // colours important: all
}

void PutPalette(TBytes& out) {
    for (const uint32_t rgb : Vga16Palette)
        AppendDWord(out, rgb); // blue, green, red, reserved in memory order
}

void PutPixels(TBytes& out, const TIndexedPicture& picture) {
    const size_t rowBytes = RowBytes(Width(picture), 4);
    for (auto row = picture.rbegin(); row != picture.rend(); ++row) {
        TBytes bytes(rowBytes, 0);
        for (size_t x = 0; x < row->size(); ++x)
            bytes[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? (*row)[x] << 4 : (*row)[x]);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
}

// A version record node: length, value length, type (1 text, 0 binary), key, value,
// children, each part aligned to 4 bytes.
struct TVersionNode {
    std::u16string Key;
    TBytes Value;
    bool Text = false;
    std::vector<TVersionNode> Children;

    TBytes Bytes() const {
        TBytes out;
        AppendWord(out, 0);
        AppendWord(out, static_cast<uint16_t>(Text ? Value.size() / 2 : Value.size()));
        AppendWord(out, Text ? 1 : 0);
        PutText(out, Key);
        Align4(out);
        out.insert(out.end(), Value.begin(), Value.end());
        for (const TVersionNode& child : Children) {
            Align4(out);
            const TBytes bytes = child.Bytes();
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
        WriteWord(out.data(), static_cast<uint16_t>(out.size()));
        return out;
    }
};

TBytes FixedInfo(const std::array<uint16_t, 4>& version) {
    TBytes out;
    AppendDWord(out, FixedInfoSignature);
    AppendDWord(out, FixedInfoStructVersion);
    for (int twice = 0; twice < 2; ++twice) { // file version, then product version
        AppendDWord(out, (static_cast<uint32_t>(version[0]) << 16) | version[1]);
        AppendDWord(out, (static_cast<uint32_t>(version[2]) << 16) | version[3]);
    }
    AppendDWord(out, 0x3F); // flags mask
    AppendDWord(out, 0);    // flags
    AppendDWord(out, 0);    // operating system: unspecified
    AppendDWord(out, FileTypeDll);
    AppendDWord(out, 0); // subtype
    AppendDWord(out, 0); // date
    AppendDWord(out, 0);
    return out;
}

} // namespace

TBytes TextResource(const std::u16string& text) {
    TBytes out;
    PutText(out, text);
    return out;
}

TBytes BitmapResource(const TIndexedPicture& picture) {
    TBytes out;
    PutInfoHeader(out, Width(picture), Height(picture));
    PutPalette(out);
    PutPixels(out, picture);
    return out;
}

TBytes IconResource(const TIndexedPicture& picture) {
    TBytes out;
    PutInfoHeader(out, Width(picture), 2 * Height(picture));
    PutPalette(out);
    PutPixels(out, picture);
    out.resize(out.size() + RowBytes(Width(picture), 1) * static_cast<size_t>(Height(picture)), 0);
    return out;
}

TBytes IconGroupResource(const TIndexedPicture& picture, uint16_t iconNumber, size_t iconSize) {
    TBytes out;
    AppendWord(out, 0); // reserved
    AppendWord(out, 1); // icons
    AppendWord(out, 1); // count
    out.push_back(static_cast<uint8_t>(Width(picture)));
    out.push_back(static_cast<uint8_t>(Height(picture)));
    out.push_back(16); // colours
    out.push_back(0);
    AppendWord(out, 1); // planes
    AppendWord(out, 4); // bits per pixel
    AppendDWord(out, static_cast<uint32_t>(iconSize));
    AppendWord(out, iconNumber);
    return out;
}

TBytes StringBlockResource(const std::map<uint16_t, std::u16string>& strings, uint16_t block) {
    TBytes out;
    for (uint32_t id = (block - 1u) * 16u; id < block * 16u; ++id) {
        const auto at = strings.find(static_cast<uint16_t>(id));
        const std::u16string text = at == strings.end() ? u"" : at->second;
        AppendWord(out, static_cast<uint16_t>(text.size()));
        for (const char16_t c : text)
            AppendWord(out, c);
    }
    return out;
}

TBytes VersionResource(const std::array<uint16_t, 4>& version, uint16_t language, uint16_t codePage,
                       const std::map<std::u16string, std::u16string>& texts) {
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
    TVersionNode table{std::u16string(key, key + 8), {}, true, {}};
    for (const auto& [name, text] : texts)
        table.Children.push_back({name, TextResource(text), true, {}});
    TBytes translation;
    AppendWord(translation, language);
    AppendWord(translation, codePage);
    const TVersionNode root{
        u"VS_VERSION_INFO",
        FixedInfo(version),
        false,
        {{u"StringFileInfo", {}, true, {table}},
         {u"VarFileInfo", {}, true, {{u"Translation", translation, false, {}}}}}};
    return root.Bytes();
}

} // namespace VelRc
