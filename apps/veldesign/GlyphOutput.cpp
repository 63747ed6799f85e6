#include "GlyphOutput.h"

#include "vel/host/GraphicKinds.h"

#include <memory>
#include <ostream>
#include <vector>

namespace VelDesign {

namespace {

struct TRgb {
    unsigned Red, Green, Blue;
};

// The glyph's pixels in 32 bits, top row first.
std::vector<std::vector<TRgb>> Pixels(const Host::TBitmap& glyph) {
    Host::TBitmap copy;
    copy.Assign(const_cast<Host::TBitmap*>(&glyph));
    copy.SetPixelFormat(Host::TPixelFormat::pf32bit);
    std::vector<std::vector<TRgb>> rows;
    for (int y = 0; y < copy.Height(); ++y) {
        const auto* line = static_cast<const uint32_t*>(copy.GetScanline(y));
        std::vector<TRgb> row;
        for (int x = 0; x < copy.Width(); ++x)
            row.push_back({(line[x] >> 16) & 0xFF, (line[x] >> 8) & 0xFF, line[x] & 0xFF});
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

void DrawGlyphInColour(std::ostream& out, const Host::TBitmap& glyph, const std::string& indent) {
    const auto rows = Pixels(glyph);
    for (size_t y = 0; y < rows.size(); y += 2) {
        out << indent;
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const TRgb top = rows[y][x];
            const TRgb bottom = y + 1 < rows.size() ? rows[y + 1][x] : TRgb{0, 0, 0};
            out << "\x1b[38;2;" << top.Red << ';' << top.Green << ';' << top.Blue << "m\x1b[48;2;"
                << bottom.Red << ';' << bottom.Green << ';' << bottom.Blue << "m\u2580";
        }
        out << "\x1b[0m\n";
    }
}

void DrawGlyphInCharacters(std::ostream& out, const Host::TBitmap& glyph,
                           const std::string& indent) {
    for (const auto& row : Pixels(glyph)) {
        out << indent;
        for (const TRgb& p : row)
            out << (p.Red * 299 + p.Green * 587 + p.Blue * 114 < 128000 ? "##" : "..");
        out << '\n';
    }
}

void ExportGlyph(const Host::TBitmap& glyph, const std::string& fileName,
                 const std::string& format) {
    if (format != "png")
        return glyph.SaveToFile(Host::FromAnsi(fileName));
    const std::unique_ptr<Host::TGraphic> png = Host::CreateGraphicOfKind(u"PNG");
    png->Assign(const_cast<Host::TBitmap*>(&glyph));
    png->SaveToFile(Host::FromAnsi(fileName));
}

} // namespace VelDesign
