#include "AnnotationDrawing.h"

#include "BitmapFont.h"
#include "vel/formats/Output.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace VelFormats {

namespace {

constexpr std::size_t MaxLabelCharacters = 20;

// Pixels of a pf32bit bitmap, every drawing clipped to it.
class TCanvas {
public:
    explicit TCanvas(Host::TBitmap& bitmap) : FWidth(bitmap.Width()), FHeight(bitmap.Height()) {
        FRows.reserve(static_cast<std::size_t>(FHeight));
        for (int y = 0; y < FHeight; ++y)
            FRows.push_back(static_cast<Host::TColor32*>(bitmap.GetScanline(y)));
    }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // The pixels from (left, top) to (right, bottom), both included; nothing when that part
    // of the picture is empty (a label wider than a small picture starts past its edge).
    void Fill(int left, int top, int right, int bottom, Host::TColor32 colour) {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, FWidth - 1);
        bottom = std::min(bottom, FHeight - 1);
        if (left > right)
            return;
        for (int y = top; y <= bottom; ++y)
            std::fill(FRows[static_cast<std::size_t>(y)] + left,
                      FRows[static_cast<std::size_t>(y)] + right + 1, colour);
    }

    // A line drawn with a square brush of the thickness (Bresenham's steps).
    void Line(Vel::TPoint from, Vel::TPoint to, int thickness, Host::TColor32 colour) {
        const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
        const int stepX = from.X < to.X ? 1 : -1, stepY = from.Y < to.Y ? 1 : -1;
        for (int error = dx + dy;;) {
            const int left = from.X - thickness / 2, top = from.Y - thickness / 2;
            Fill(left, top, left + thickness - 1, top + thickness - 1, colour);
            if (from.X == to.X && from.Y == to.Y)
                return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                from.X += stepX;
            }
            if (twice <= dx) {
                error += dx;
                from.Y += stepY;
            }
        }
    }

    // A frame whose inner edge is the rectangle's own border pixels, thicker outwards.
    void Frame(int left, int top, int right, int bottom, int thickness, Host::TColor32 colour) {
        const int out = thickness - 1;
        Fill(left - out, top - out, right + out, top, colour);
        Fill(left - out, bottom, right + out, bottom + out, colour);
        Fill(left - out, top, left, bottom, colour);
        Fill(right, top, right + out, bottom, colour);
    }

    // The text in the font, each font pixel scale x scale pixels, from (left, top).
    void Text(int left, int top, const std::string& text, int scale, Host::TColor32 colour) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int glyphLeft = left + static_cast<int>(i) * (GlyphWidth + 1) * scale;
            for (int y = 0; y < GlyphHeight; ++y)
                for (int x = 0; x < GlyphWidth; ++x)
                    if (GlyphPixel(text[i], x, y))
                        Fill(glyphLeft + x * scale, top + y * scale,
                             glyphLeft + (x + 1) * scale - 1, top + (y + 1) * scale - 1, colour);
        }
    }

private:
    int FWidth;
    int FHeight;
    std::vector<Host::TColor32*> FRows;
};

// Lines and letters grow with the picture, so that they show on a large photograph.
struct TStyle {
    int Stroke;
    int FontScale;
};

TStyle StyleFor(const TCanvas& canvas) {
    const int side = std::min(canvas.Width(), canvas.Height());
    return {std::clamp(side / 250, 2, 8), std::clamp(side / 400, 1, 6)};
}

void DrawScanRect(TCanvas& canvas, const Vel::TRect& rect, const TStyle& style) {
    if (rect.Left >= canvas.Width() || rect.Top >= canvas.Height())
        return;
    const int right =
        rect.Width == 0 ? canvas.Width() : std::min(canvas.Width(), rect.Left + rect.Width);
    const int bottom =
        rect.Height == 0 ? canvas.Height() : std::min(canvas.Height(), rect.Top + rect.Height);
    canvas.Frame(rect.Left, rect.Top, right - 1, bottom - 1, style.Stroke, ScanRectColour);
}

// The label goes above the box's frame, else below it, else inside its top.
void DrawLabel(TCanvas& canvas, const Vel::TBarcode& barcode, const Vel::TRect& box,
               const TStyle& style) {
    const std::string label = BarcodeLabel(barcode);
    const int pad = style.FontScale;
    const int width = static_cast<int>(label.size()) * (GlyphWidth + 1) * style.FontScale + pad;
    const int height = GlyphHeight * style.FontScale + 2 * pad;
    const int left = std::max(0, box.Left - style.Stroke + 1);
    int top = box.Top - style.Stroke - height + 1;
    if (top < 0)
        top = box.Top + box.Height + style.Stroke - 1;
    if (top + height > canvas.Height())
        top = box.Top + 1;
    canvas.Fill(left, top, left + width - 1, top + height - 1, LabelColour);
    canvas.Text(left + pad, top + pad, label, style.FontScale, LabelTextColour);
}

void DrawBarcode(TCanvas& canvas, const Vel::TBarcode& barcode, const TStyle& style) {
    if (barcode.Outline.empty())
        return;
    const std::vector<Vel::TPoint> hull = barcode.Hull();
    for (std::size_t i = 0; i < hull.size(); ++i)
        canvas.Line(hull[i], hull[(i + 1) % hull.size()], style.Stroke, OutlineColour);
    const Vel::TRect box = barcode.BoundingBox();
    canvas.Frame(box.Left, box.Top, box.Left + box.Width - 1, box.Top + box.Height - 1,
                 style.Stroke, BoxColour);
    DrawLabel(canvas, barcode, box, style);
}

} // namespace

std::string BarcodeLabel(const Vel::TBarcode& barcode) {
    std::string label = TypeName(barcode) + ':';
    const auto& data = barcode.Data;
    std::size_t i = 0;
    for (std::size_t characters = 0; i < data.size() && characters < MaxLabelCharacters;
         ++characters) {
        const auto byte = static_cast<std::uint8_t>(data[i++]);
        if (byte >= 0x80) {
            // A UTF-8 sequence (or a byte of none) stands for one character.
            while (i < data.size() && (static_cast<std::uint8_t>(data[i]) & 0xC0) == 0x80)
                ++i;
            label += '?';
        } else {
            label += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
        }
    }
    if (i < data.size())
        label += "...";
    return label;
}

void DrawAnnotation(Host::TBitmap& bitmap, const VelBatch::TPageResult& result,
                    const Vel::TRect* rect) {
    TCanvas canvas(bitmap);
    const TStyle style = StyleFor(canvas);
    if (rect)
        DrawScanRect(canvas, *rect, style);
    for (const auto& barcode : result.Barcodes)
        DrawBarcode(canvas, barcode, style);
    bitmap.MarkModified();
}

} // namespace VelFormats
