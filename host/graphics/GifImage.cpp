#include "vel/host/GifImage.h"

#include "CHandle.h"
#include "CodecSupport.h"
#include "MemoryStream.h"
#include "PageCursor.h"
#include "PictureSize.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"

#include <gif_lib.h>

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
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

// The pixels LZW data of the bytes can stand for at most: a code stands for at most 4096
// pixels, and a code of more than 2048 needs a table of more than 2048 entries, whose codes
// take 12 bits; so no more than 4096 pixels every 12 bits, besides the first code.
uint64_t LzwPixels(uint64_t bytes) {
    return bytes * 8 / 12 * 4096 + 4096;
}

// A screen of up to 2^22 pixels (16 MiB) is always drawn; a larger one must not hold more
// pixels than its frame's data could fill.
constexpr uint64_t FreeScreenPixels = uint64_t{1} << 22;

// The bytes of the LZW data that start at offset: the sub-blocks up to the empty one, or to
// the end of the file when it ends first.
uint64_t DataBytes(std::string_view file, uint64_t offset) {
    uint64_t bytes = 0;
    while (offset < file.size() && file[offset] != 0) {
        const auto length = static_cast<uint8_t>(file[offset]);
        bytes += std::min<uint64_t>(length, file.size() - offset - 1);
        offset += 1 + uint64_t{length};
    }
    return bytes;
}

std::string SizeText(uint64_t width, uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// Refuses a frame, or a screen, that the frame's data could not fill: a tiny file cannot
// declare a frame or a screen of 2^28 pixels.
void CheckDataFillsFrame(uint64_t dataBytes, const GifImageDesc& frame, uint64_t screenWidth,
                         uint64_t screenHeight) {
    const auto width = static_cast<uint64_t>(frame.Width);
    const auto height = static_cast<uint64_t>(frame.Height);
    const std::string data = std::to_string(dataBytes) + " bytes of data";
    if (width * height > LzwPixels(dataBytes))
        ThrowInvalid(Kind, "the frame of " + SizeText(width, height) + " has only " + data +
                               ", too few to describe it");
    const uint64_t screen = screenWidth * screenHeight;
    if (screen > FreeScreenPixels && screen > LzwPixels(dataBytes))
        ThrowInvalid(Kind, "the screen of " + SizeText(screenWidth, screenHeight) +
                               " is larger than its frame's " + data + " could fill");
}

// A file open in giflib twice over: once to count its frames, then at the frame read last.
class TGifCursor : public TPageCursor {
public:
    explicit TGifCursor(TFileBytes file) : TPageCursor(std::move(file)), Input(*Bytes) {
        TMemoryStreamBuffer counting(*Bytes);
        Frames = CountFrames(OpenReader(&counting).get());
        Reader = OpenReader(&Input);
    }

    // Reads up to the descriptor of frame index, returning its transparent colour index: on
    // from the frame read last, or from the start for an earlier one.
    int Find(int index) {
        if (index < Next) {
            Reader.reset();
            Input.pubseekpos(0, std::ios::in);
            Reader = OpenReader(&Input);
            Next = 0;
        }
        int transparent = NO_TRANSPARENT_COLOR;
        for (;; ++Next) {
            if (!NextImage(Reader.get(), transparent))
                ThrowInvalid(Kind, "it holds no image");
            if (Next == index) {
                ++Next;
                return transparent;
            }
            SkipImageData(Reader.get());
        }
    }

    // The bytes of the frame whose descriptor was read last (giflib reads no further).
    uint64_t FrameDataBytes() {
        const auto here = Input.pubseekoff(0, std::ios::cur, std::ios::in);
        return DataBytes(*Bytes, static_cast<uint64_t>(here));
    }

    TMemoryStreamBuffer Input;
    uint64_t Frames = 0;
    TGifReader Reader;
    int Next = 0; // the frame whose descriptor the reader reads next
};

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
    LoadOnePage(stream, Kind);
}

void TGifImage::LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& slot) {
    TGifCursor& cursor = CursorOn<TGifCursor>(slot, file);
    CheckPageCount(Kind, cursor.Frames, PageChoice(), cursor.Frames > MaxPicturePages);
    const int transparent = cursor.Find(PageChoice().Index);
    GifFileType* gif = cursor.Reader.get();
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0)
        ThrowInvalid(Kind, "the frame is empty");
    const int width = gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width;
    const int height = gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height;
    CheckPictureLimit(Kind, static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    CheckDataFillsFrame(cursor.FrameDataBytes(), frame, static_cast<uint64_t>(width),
                        static_cast<uint64_t>(height));
    TPixelBuffer pixels =
        AllocatePixels(Kind, static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    TColor32* colours = ColoursOf(pixels);
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr)
        ThrowInvalid(Kind, "it has no colour table");
    // Pixels the frame leaves out show the background colour, or transparent black.
    const bool background = gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount;
    std::fill_n(colours, pixels.Size() / sizeof(TColor32),
                background ? Colour(gif->SColorMap->Colors[gif->SBackGroundColor], 0xFF) : 0);

    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    for (const int row : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
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
               {.PageIndex = PageChoice().Index, .PageCount = static_cast<int>(cursor.Frames)});
    // Saving a later frame writes that frame alone: the file would load its first frame.
    if (PageChoice().Index == 0)
        KeepFileBytes(file);
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
