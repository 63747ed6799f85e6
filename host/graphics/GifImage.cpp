#include "vel/host/GifImage.h"

#include "CHandle.h"
#include "CodecSupport.h"
#include "PictureSize.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"

#include <gif_lib.h>

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Host {

namespace {

constexpr const char* Kind = "GIF";

std::string ErrorText(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "error " + std::to_string(code);
}

[[noreturn]] void ThrowGifError(int code) {
    ThrowInvalid(Kind, ErrorText(code));
}

int ReadInput(GifFileType* gif, GifByteType* data, int length) {
    auto* input = static_cast<std::streambuf*>(gif->UserData);
    return static_cast<int>(input->sgetn(reinterpret_cast<char*>(data), length));
}

int WriteOutput(GifFileType* gif, const GifByteType* data, int length) {
    auto* output = static_cast<std::ostream*>(gif->UserData);
    return output->write(reinterpret_cast<const char*>(data), length) ? length : 0;
}

void CloseReader(GifFileType* gif) {
    DGifCloseFile(gif, nullptr);
}

TColor32 Colour(const GifColorType& c, uint32_t alpha) {
    return (alpha << 24) | (uint32_t{c.Red} << 16) | (uint32_t{c.Green} << 8) | c.Blue;
}

// The transparent colour index of the frame that follows, from a graphics control block.
int TransparentIndex(int extensionCode, const GifByteType* extension) {
    GraphicsControlBlock block;
    if (extensionCode == GRAPHICS_EXT_FUNC_CODE &&
        DGifExtensionToGCB(extension[0], extension + 1, &block) == GIF_OK)
        return block.TransparentColor;
    return NO_TRANSPARENT_COLOR;
}

// Reads the records up to the next image and its descriptor, setting the transparent colour
// index its graphics control block gives; false at the end of the file.
bool NextImage(GifFileType* gif, int& transparent) {
    transparent = NO_TRANSPARENT_COLOR;
    for (GifRecordType record;;) {
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            ThrowGifError(gif->Error);
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                ThrowGifError(gif->Error);
            return true;
        }
        if (record == TERMINATE_RECORD_TYPE)
            return false;
        if (record != EXTENSION_RECORD_TYPE)
            continue;
        int code = 0;
        GifByteType* extension = nullptr;
        if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR)
            ThrowGifError(gif->Error);
        if (extension != nullptr)
            transparent = TransparentIndex(code, extension);
        while (extension != nullptr)
            if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR)
                ThrowGifError(gif->Error);
    }
}

// Passes over the compressed data of the image whose descriptor was just read.
void SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
        ThrowGifError(gif->Error);
    while (block != nullptr)
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
            ThrowGifError(gif->Error);
}

// The frames whose descriptors can be read, up to one past MaxPicturePages. Damage after the
// first frame ends the count there, as a viewer stops showing the animation; a file that
// holds no frame at all is refused.
uint64_t CountFrames(GifFileType* gif) {
    uint64_t count = 0;
    try {
        for (int transparent = 0; count <= MaxPicturePages && NextImage(gif, transparent);) {
            ++count;
            SkipImageData(gif);
        }
    } catch (const EInvalidGraphic&) {
        if (count == 0)
            throw;
    }
    if (count == 0)
        ThrowInvalid(Kind, "it holds no image");
    return count;
}

using TGifReader = TCHandle<GifFileType, CloseReader>;

TGifReader OpenReader(std::streambuf* input) {
    int error = 0;
    TGifReader gif(DGifOpen(input, ReadInput, &error));
    if (!gif)
        ThrowGifError(error);
    return gif;
}

// Opens the file and reads up to the descriptor of frame index, returning its transparent
// colour index.
int FindImage(TGifReader& gif, int index) {
    int transparent = NO_TRANSPARENT_COLOR;
    for (int frame = 0;; ++frame) {
        if (!NextImage(gif.get(), transparent))
            ThrowInvalid(Kind, "it holds no image");
        if (frame == index)
            return transparent;
        SkipImageData(gif.get());
    }
}

// Refuses a screen that the file's bytes could not fill: each 12-bit LZW code stands for at
// most 4096 pixels, so a file holds at least 3 bytes for every 8192 pixels of a frame covering
// the screen. A 35-byte file cannot declare a screen of 2^28 pixels.
void CheckDataFillsScreen(std::optional<uint64_t> remaining, uint64_t width, uint64_t height) {
    if (remaining && *remaining < width * height / 8192 * 3)
        ThrowGifError(D_GIF_ERR_READ_FAILED);
}

// The frame's rows in screen order: interlaced frames store rows 0, 8, ..., 4, ..., 2, ..., 1, ...
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> order;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step)
            order.push_back(y);
    return order;
}

} // namespace

void TGifImage::LoadFromStream(std::istream& stream) {
    LoadKeepingFile(stream, Kind, [this](std::istream& file) { Decode(file); });
}

void TGifImage::Decode(std::istream& stream) {
    const std::optional<uint64_t> remaining = RemainingBytes(stream);
    std::streambuf* input = stream.rdbuf();
    const auto start = input->pubseekoff(0, std::ios::cur, std::ios::in);
    const uint64_t frames = CountFrames(OpenReader(input).get());
    CheckPageCount(Kind, frames, PageChoice());
    input->pubseekpos(start, std::ios::in);
    TGifReader gif = OpenReader(input);
    const int transparent = FindImage(gif, PageChoice().Index);
    const GifImageDesc& frame = gif->Image;
    const int width = gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width;
    const int height = gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height;
    CheckPictureSize(Kind, static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    CheckDataFillsScreen(remaining, static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    TPixelBuffer pixels =
        AllocatePixels(Kind, static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    TColor32* colours = ColoursOf(pixels);
    if (frame.Width <= 0 || frame.Height <= 0)
        ThrowInvalid(Kind, "the frame is empty");
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr)
        ThrowInvalid(Kind, "it has no colour table");
    // Pixels the frame leaves out show the background colour, or transparent black.
    const bool background = gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount;
    std::fill_n(colours, pixels.Size() / sizeof(TColor32),
                background ? Colour(gif->SColorMap->Colors[gif->SBackGroundColor], 0xFF) : 0);

    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    for (const int row : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
            ThrowGifError(gif->Error);
        const int y = frame.Top + row;
        for (int x = 0; x < frame.Width && y < height; ++x) {
            const int index = line[static_cast<size_t>(x)];
            if (frame.Left + x >= width || index >= map->ColorCount)
                continue;
            colours[static_cast<size_t>(y) * static_cast<size_t>(width) +
                    static_cast<size_t>(frame.Left + x)] =
                Colour(map->Colors[index], index == transparent ? 0 : 0xFF);
        }
    }
    TakePixels(width, height, std::move(pixels),
               {.PageIndex = PageChoice().Index, .PageCount = static_cast<int>(frames)});
}

void TGifImage::SaveToStream(std::ostream& stream) const {
    if (WriteFileBytes(stream))
        return;
    if (Empty() || Width() > 65535 || Height() > 65535)
        ThrowWriteFailure(stream, Kind,
                          Empty() ? "it is empty" : "GIF allows at most 65535 x 65535");
    TBitmap indexed;
    indexed.Assign(const_cast<TGifImage*>(this));
    indexed.SetPixelFormat(TPixelFormat::pf8bit);

    GifColorType colours[256];
    for (size_t i = 0; i < 256; ++i) {
        const TColor32 c = indexed.Palette()[i];
        colours[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                      static_cast<GifByteType>(c)};
    }
    const TCHandle<ColorMapObject, GifFreeMapObject> map(GifMakeMapObject(256, colours));
    // Closed by hand, not by an owner: closing writes the end of the file and can fail.
    int error = 0;
    GifFileType* gif = EGifOpen(&stream, WriteOutput, &error);
    if (gif == nullptr)
        ThrowWriteFailure(stream, Kind, ErrorText(error));
    bool written = map && EGifPutScreenDesc(gif, Width(), Height(), 8, 0, map.get()) == GIF_OK &&
                   EGifPutImageDesc(gif, 0, 0, Width(), Height(), false, nullptr) == GIF_OK;
    for (int y = 0; y < Height() && written; ++y)
        written =
            EGifPutLine(gif, static_cast<GifPixelType*>(indexed.GetScanline(y)), Width()) == GIF_OK;
    error = gif->Error;
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR && written) {
        written = false;
        error = closeError;
    }
    if (!written)
        ThrowWriteFailure(stream, Kind, ErrorText(error));
}

} // namespace Host
