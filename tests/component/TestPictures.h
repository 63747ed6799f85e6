// Pictures for the component's tests: barcodes rendered by libzint placed on white canvases,
// turned into host bitmaps and saved in the host's file formats.
#pragma once

#include "RenderBarcode.h"
#include "vel/host/Bitmap.h"
#include "vel/host/String.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace TestPictures {

// A box of pixels, edges included.
struct TBox {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;

    bool Contains(int x, int y) const { return Left <= x && x <= Right && Top <= y && y <= Bottom; }
};

// A white canvas of the given size with the picture drawn at (x, y).
Support::TGrayImage Place(const Support::TGrayImage& picture, int width, int height, int x, int y);

// The box around the picture's dark pixels, widened by margin on every side.
TBox DarkBox(const Support::TGrayImage& picture, int margin);

// A pf32bit bitmap of the gray picture.
std::unique_ptr<Host::TBitmap> ToBitmap(const Support::TGrayImage& picture);

// A pf32bit bitmap whose pixel (x, y) is colour(x, y).
std::unique_ptr<Host::TBitmap> MakeBitmap(int width, int height,
                                          const std::function<std::uint32_t(int, int)>& colour);

// The host's file formats a test saves pictures in.
enum class TFileKind { Png, Jpeg, Bmp };
const char* KindName(TFileKind kind);
inline void PrintTo(TFileKind kind, std::ostream* os) {
    *os << KindName(kind);
}

// Saves the bitmap as a file of the kind.
void Save(Host::TBitmap& bitmap, TFileKind kind, const std::filesystem::path& path);

// The bytes of a JPEG of width x height, the code at (20, 20), below it from row 400 a
// texture (which takes many bytes), cut at three quarters of its length: the code's rows
// arrive, the last rows do not.
std::string CutJpeg(const Support::TGrayImage& code, int width, int height);

// The path as the host's text.
Host::String HostPath(const std::filesystem::path& path);

} // namespace TestPictures
