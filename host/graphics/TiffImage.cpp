#include "vel/host/TiffImage.h"

#include "CHandle.h"
#include "CodecSupport.h"
#include "PageCursor.h"
#include "PictureSize.h"

#include <tiffio.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace Host {

namespace {

constexpr const char* Kind = "TIFF";

// The file libtiff reads or writes, in memory, with the last message libtiff reported.
struct TMemoryFile {
    TMemoryFile() = default;
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    std::string_view Bytes; // what reads see: the file read, or Written while writing
    std::string Written;
    uint64_t Position = 0;
    std::string Message = "unknown error";
};

TMemoryFile& FileOf(thandle_t handle) {
    return *static_cast<TMemoryFile*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    TMemoryFile& file = FileOf(handle);
    const uint64_t available =
        file.Position < file.Bytes.size() ? file.Bytes.size() - file.Position : 0;
    const auto count = std::min<uint64_t>(available, static_cast<uint64_t>(size));
    std::memcpy(buffer, file.Bytes.data() + file.Position, count);
    file.Position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    TMemoryFile& file = FileOf(handle);
    const uint64_t end = file.Position + static_cast<uint64_t>(size);
    if (end > file.Written.size())
        file.Written.resize(end);
    std::memcpy(file.Written.data() + file.Position, buffer, static_cast<size_t>(size));
    file.Bytes = file.Written;
    file.Position = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    TMemoryFile& file = FileOf(handle);
    const uint64_t base = whence == SEEK_CUR   ? file.Position
                          : whence == SEEK_END ? file.Bytes.size()
                                               : 0;
    file.Position = base + offset;
    return file.Position;
}

int CloseProc(thandle_t) {
    return 0;
}
toff_t SizeProc(thandle_t handle) {
    return FileOf(handle).Bytes.size();
}
int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    auto& file = *static_cast<TMemoryFile*>(user);
    file.Message = module && *module ? std::string(module) + ": " + text : text;
    return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// libtiff reports some problems before a file is open through its process-wide
// handlers, which print to the terminal by default.
void SilenceGlobalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

using TTiff = TCHandle<TIFF, TIFFClose>;

TTiff Open(TMemoryFile& file, const char* mode) {
    SilenceGlobalHandlers();
    const TCHandle<TIFFOpenOptions, TIFFOpenOptionsFree> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnWarning, &file);
    // Enough for a whole uncompressed page of 16-bit RGBA within the pixel limit.
    TIFFOpenOptionsSetMaxSingleMemAlloc(
        options.get(), static_cast<tmsize_t>(std::min<uint64_t>(LargestPictureBytes(), INT64_MAX)));
    return TTiff(TIFFClientOpenExt("picture", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                   SizeProc, MapProc, UnmapProc, options.get()));
}

// libtiff's RGBA raster holds red in bits 0-7 and premultiplied alpha; the host's layout
// holds blue there and straight alpha.
TColor32 FromRaster(uint32_t abgr) {
    const uint32_t a = TIFFGetA(abgr);
    uint32_t r = TIFFGetR(abgr), g = TIFFGetG(abgr), b = TIFFGetB(abgr);
    if (a != 0 && a != 255) {
        const auto straight = [a](uint32_t c) {
            return std::min<uint32_t>(255, (c * 255 + a / 2) / a);
        };
        r = straight(r);
        g = straight(g);
        b = straight(b);
    }
    return (a << 24) | (r << 16) | (g << 8) | b;
}

bool HasAlpha(const TRasterGraphic& graphic) {
    for (int y = 0; y < graphic.Height(); ++y)
        if (std::any_of(graphic.GetScanline(y), graphic.GetScanline(y) + graphic.Width(),
                        [](TColor32 c) { return (c >> 24) != 0xFF; }))
            return true;
    return false;
}

bool WritePage(TIFF* tiff, const TRasterGraphic& graphic) {
    const bool alpha = HasAlpha(graphic);
    const uint16_t samples = alpha ? 4 : 3;
    const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(graphic.Width())) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(graphic.Height())) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
              TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0)) &&
              (!alpha || TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra));
    std::vector<uint8_t> row(static_cast<size_t>(graphic.Width()) * samples);
    for (int y = 0; y < graphic.Height() && ok; ++y) {
        const TColor32* source = graphic.GetScanline(y);
        for (int x = 0; x < graphic.Width(); ++x) {
            uint8_t* dest = row.data() + static_cast<size_t>(x) * samples;
            dest[0] = static_cast<uint8_t>(source[x] >> 16);
            dest[1] = static_cast<uint8_t>(source[x] >> 8);
            dest[2] = static_cast<uint8_t>(source[x]);
            if (alpha)
                dest[3] = static_cast<uint8_t>(source[x] >> 24);
        }
        ok = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    return ok && TIFFFlush(tiff) == 1;
}

// A file open in libtiff, its directories counted once (counting follows the chain of
// directories without reading them), at the directory read last.
class TTiffCursor : public TPageCursor {
public:
    explicit TTiffCursor(TFileBytes file) : TPageCursor(std::move(file)) {
        File.Bytes = *Bytes;
        Tiff = Open(File, "r");
        if (!Tiff)
            ThrowInvalid(Kind, File.Message);
        Pages = TIFFNumberOfDirectories(Tiff.get());
    }

    // Reads the directory: the next one continues along the chain, any other is looked up.
    void Seek(tdir_t index) {
        const tdir_t current = TIFFCurrentDirectory(Tiff.get());
        const bool read = index == current + 1 ? TIFFReadDirectory(Tiff.get()) == 1
                          : index == current   ? true
                                               : TIFFSetDirectory(Tiff.get(), index) == 1;
        if (!read)
            ThrowInvalid(Kind, File.Message);
    }

    TMemoryFile File;
    TTiff Tiff; // closed before File goes
    uint64_t Pages = 0;
};

} // namespace

void TTiffImage::LoadFromStream(std::istream& stream) {
    LoadOnePage(stream, Kind);
}

void TTiffImage::LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& slot) {
    TTiffCursor& cursor = CursorOn<TTiffCursor>(slot, file);
    CheckPageCount(Kind, cursor.Pages, PageChoice());
    TIFF* tiff = cursor.Tiff.get();
    cursor.Seek(static_cast<tdir_t>(PageChoice().Index));
    uint32_t width = 0;
    uint32_t height = 0;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height))
        ThrowInvalid(Kind, "the size is missing");
    TPixelBuffer pixels = AllocatePixels(Kind, width, height);
    TColor32* colours = ColoursOf(pixels);
    char reason[1024] = "";
    if (!TIFFRGBAImageOK(tiff, reason))
        ThrowInvalid(Kind, reason);
    if (!TIFFReadRGBAImageOriented(tiff, width, height, colours, ORIENTATION_TOPLEFT, 1))
        ThrowInvalid(Kind, cursor.File.Message);
    const size_t count = size_t{width} * height;
    std::transform(colours, colours + count, colours, FromRaster);
    TakePixels(static_cast<int>(width), static_cast<int>(height), std::move(pixels),
               {.PageIndex = PageChoice().Index, .PageCount = static_cast<int>(cursor.Pages)});
    // Saving a later page writes that page alone: the file would load its first page.
    if (PageChoice().Index == 0)
        KeepFileBytes(file);
}

void TTiffImage::SaveToStream(std::ostream& stream) const {
    if (WriteFileBytes(stream))
        return;
    if (Empty())
        ThrowWriteFailure(stream, Kind, "it is empty");
    TMemoryFile file;
    TTiff tiff = Open(file, "w");
    if (!tiff || !WritePage(tiff.get(), *this))
        ThrowWriteFailure(stream, Kind, file.Message);
    tiff.reset();
    WriteBytes(stream, file.Written.data(), file.Written.size(), Kind);
}

} // namespace Host
