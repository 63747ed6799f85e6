#include "TestPictures.h"

#include "vel/host/JpegImage.h"
#include "vel/host/PngImage.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace TestPictures {

Support::TGrayImage Place(const Support::TGrayImage& picture, int width, int height, int x, int y) {
    Support::TGrayImage canvas{width, height, {}};
    canvas.Pixels.assign(static_cast<std::size_t>(width) * height, 255);
    for (int row = 0; row < picture.Height; ++row)
        std::copy_n(picture.Pixels.begin() + static_cast<std::ptrdiff_t>(row) * picture.Width,
                    picture.Width,
                    canvas.Pixels.begin() + static_cast<std::ptrdiff_t>(y + row) * width + x);
    return canvas;
}

TBox DarkBox(const Support::TGrayImage& picture, int margin) {
    TBox box{picture.Width, picture.Height, -1, -1};
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x] < 128) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x);
                box.Bottom = std::max(box.Bottom, y);
            }
    return TBox{box.Left - margin, box.Top - margin, box.Right + margin, box.Bottom + margin};
}

std::unique_ptr<Host::TBitmap> MakeBitmap(int width, int height,
                                          const std::function<std::uint32_t(int, int)>& colour) {
    auto bitmap = std::make_unique<Host::TBitmap>();
    bitmap->SetPixelFormat(Host::TPixelFormat::pf32bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<std::uint32_t*>(bitmap->GetScanline(y));
        for (int x = 0; x < width; ++x)
            row[x] = colour(x, y);
    }
    bitmap->MarkModified();
    return bitmap;
}

std::unique_ptr<Host::TBitmap> ToBitmap(const Support::TGrayImage& picture) {
    return MakeBitmap(picture.Width, picture.Height, [&](int x, int y) {
        const std::uint32_t gray = picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x];
        return 0xFF000000u | gray << 16 | gray << 8 | gray;
    });
}

const char* KindName(TFileKind kind) {
    switch (kind) {
    case TFileKind::Png:
        return "Png";
    case TFileKind::Jpeg:
        return "Jpeg";
    case TFileKind::Bmp:
        return "Bmp";
    }
    return "?";
}

void Save(Host::TBitmap& bitmap, TFileKind kind, const std::filesystem::path& path) {
    switch (kind) {
    case TFileKind::Png: {
        Host::TPngImage png;
        png.Assign(&bitmap);
        png.SaveToFile(HostPath(path));
        return;
    }
    case TFileKind::Jpeg: {
        Host::TJpegImage jpeg;
        jpeg.Assign(&bitmap);
        jpeg.SaveToFile(HostPath(path));
        return;
    }
    case TFileKind::Bmp:
        bitmap.SaveToFile(HostPath(path));
        return;
    }
}

std::string CutJpeg(const Support::TGrayImage& code, int width, int height) {
    Support::TGrayImage picture = Place(code, width, height, 20, 20);
    for (int y = 400; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.Pixels[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint8_t>(128 + (x * 7 + y * 13) % 64);
    Host::TJpegImage jpeg;
    jpeg.Assign(ToBitmap(picture).get());
    std::ostringstream whole;
    jpeg.SaveToStream(whole);
    return whole.str().substr(0, whole.str().size() * 3 / 4);
}

Host::String HostPath(const std::filesystem::path& path) {
    return Host::FromAnsi(path.string());
}

} // namespace TestPictures
