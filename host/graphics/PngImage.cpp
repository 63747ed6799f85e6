#include "vel/host/PngImage.h"

#include "CHandle.h"
#include "CodecSupport.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <istream>
#include <ostream>
#include <vector>

namespace Host {

namespace {

constexpr const char* Kind = "PNG";

// Everything libpng's callbacks touch. The functions that call setjmp hold no object with
// a destructor, so libpng's long jump out of an error skips nothing.
struct TPngState {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    std::streambuf* Input = nullptr;
    std::ostream* Output = nullptr;
    char Message[256] = "unknown error";
};

void DestroyReadState(TPngState* state) {
    png_destroy_read_struct(&state->Png, &state->Info, nullptr);
}

void DestroyWriteState(TPngState* state) {
    png_destroy_write_struct(&state->Png, &state->Info);
}

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<TPngState*>(png_get_error_ptr(png));
    std::snprintf(state->Message, sizeof state->Message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep data, size_t length) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    const auto got =
        state->Input->sgetn(reinterpret_cast<char*>(data), static_cast<std::streamsize>(length));
    if (got != static_cast<std::streamsize>(length))
        png_error(png, "the data ends early");
}

void WriteData(png_structp png, png_bytep data, size_t length) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    if (!state->Output->write(reinterpret_cast<const char*>(data),
                              static_cast<std::streamsize>(length)))
        png_error(png, "the stream failed");
}

void FlushData(png_structp) {}

// Palette pictures and gray ones of up to 8 bits are read as one byte a pixel (an index or
// a gray level) and turned into colours through a table, which costs far less than libpng's
// row transforms to BGRA. The others are read through those transforms.
struct TPngLayout {
    png_uint_32 Width = 0;
    png_uint_32 Height = 0;
    bool Indexed = false;
    TColor32 Colours[256] = {};
};

// The colour of each byte value of an indexed picture: palette entries with their tRNS
// alpha, or gray levels scaled to 8 bits with the tRNS key transparent.
void FillColourTable(TPngState* s, int colourType, int bitDepth, TPngLayout* layout) {
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_color_16p key = nullptr;
    if (png_get_valid(s->Png, s->Info, PNG_INFO_tRNS))
        png_get_tRNS(s->Png, s->Info, &alphas, &alphaCount, &key);
    for (int v = 0; v < 256; ++v)
        layout->Colours[v] = 0xFF000000u;
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        png_get_PLTE(s->Png, s->Info, &palette, &count);
        for (int i = 0; i < count; ++i) {
            const TColor32 alpha = i < alphaCount ? alphas[i] : 0xFF;
            layout->Colours[i] = alpha << 24 | TColor32{palette[i].red} << 16 |
                                 TColor32{palette[i].green} << 8 | palette[i].blue;
        }
        return;
    }
    const int levels = (1 << bitDepth) - 1;
    for (int v = 0; v <= levels; ++v) {
        const TColor32 gray = static_cast<TColor32>(v * 255 / levels);
        const TColor32 alpha = key && key->gray == v ? 0 : 0xFF;
        layout->Colours[v] = alpha << 24 | gray << 16 | gray << 8 | gray;
    }
}

// Reads the header and sets the transforms: one byte a pixel for indexed pictures, 8-bit
// BGRA rows for the others.
bool ReadHeader(TPngState* s, TPngLayout* layout) {
    if (setjmp(png_jmpbuf(s->Png)))
        return false;
    png_set_read_fn(s->Png, s, ReadData);
    png_read_info(s->Png, s->Info);
    const int colourType = png_get_color_type(s->Png, s->Info);
    const int bitDepth = png_get_bit_depth(s->Png, s->Info);
    layout->Indexed = colourType == PNG_COLOR_TYPE_PALETTE ||
                      (colourType == PNG_COLOR_TYPE_GRAY && bitDepth <= 8);
    if (layout->Indexed) {
        FillColourTable(s, colourType, bitDepth, layout);
        png_set_packing(s->Png);
    } else {
        png_set_expand(s->Png);
        png_set_scale_16(s->Png);
        png_set_gray_to_rgb(s->Png);
        png_set_bgr(s->Png);
        png_set_filler(s->Png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(s->Png);
    png_read_update_info(s->Png, s->Info);
    layout->Width = png_get_image_width(s->Png, s->Info);
    layout->Height = png_get_image_height(s->Png, s->Info);
    const size_t pixelBytes = layout->Indexed ? 1 : 4;
    if (png_get_rowbytes(s->Png, s->Info) != static_cast<size_t>(layout->Width) * pixelBytes)
        png_error(s->Png, "unexpected row layout");
    return true;
}

bool ReadRows(TPngState* s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s->Png)))
        return false;
    png_read_image(s->Png, rows);
    png_read_end(s->Png, nullptr);
    return true;
}

bool WriteImage(TPngState* s, png_uint_32 width, png_uint_32 height, bool alpha, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s->Png)))
        return false;
    png_set_write_fn(s->Png, s, WriteData, FlushData);
    png_set_IHDR(s->Png, s->Info, width, height, 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s->Png, s->Info);
    png_set_bgr(s->Png);
    if (!alpha)
        png_set_filler(s->Png, 0, PNG_FILLER_AFTER);
    png_write_image(s->Png, rows);
    png_write_end(s->Png, nullptr);
    return true;
}

// An indexed row is read as one byte a pixel into the start of its own row of colours and
// turned into colours in place, from the last pixel back: colour x takes bytes 4x to 4x + 3,
// which lie beyond byte x and were read before.
void ExpandIndexedRow(png_bytep row, const TPngLayout& layout) {
    auto* colours = reinterpret_cast<TColor32*>(row);
    for (png_uint_32 x = layout.Width; x-- > 0;)
        colours[x] = layout.Colours[row[x]];
}

// The row addresses of a top-down buffer of rows of rowBytes bytes.
std::vector<png_bytep> RowPointers(void* pixels, size_t rowBytes, png_uint_32 height) {
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = static_cast<png_bytep>(pixels) + y * rowBytes;
    return rows;
}

} // namespace

void TPngImage::LoadFromStream(std::istream& stream) {
    LoadKeepingFile(stream, Kind, [this](std::istream& file) { Decode(file); });
}

void TPngImage::Decode(std::istream& stream) {
    TPngState state;
    state.Input = stream.rdbuf();
    state.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    state.Info = state.Png ? png_create_info_struct(state.Png) : nullptr;
    const TCHandle<TPngState, DestroyReadState> release(&state);
    if (!state.Info)
        ThrowInvalid(Kind, "out of memory");

    TPngLayout layout;
    if (!ReadHeader(&state, &layout))
        ThrowInvalid(Kind, state.Message);
    TPixelBuffer pixels = AllocatePixels(Kind, layout.Width, layout.Height);
    const size_t rowBytes = layout.Width * sizeof(TColor32);
    std::vector<png_bytep> rows = RowPointers(pixels.MutableData(), rowBytes, layout.Height);
    if (!ReadRows(&state, rows.data()))
        ThrowInvalid(Kind, state.Message);
    if (layout.Indexed)
        for (png_bytep row : rows)
            ExpandIndexedRow(row, layout);
    TakePixels(static_cast<int>(layout.Width), static_cast<int>(layout.Height), std::move(pixels));
}

void TPngImage::SaveToStream(std::ostream& stream) const {
    if (WriteFileBytes(stream))
        return;
    if (Empty())
        ThrowWriteFailure(stream, Kind, "it is empty");
    TPngState state;
    state.Output = &stream;
    state.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    state.Info = state.Png ? png_create_info_struct(state.Png) : nullptr;
    const TCHandle<TPngState, DestroyWriteState> release(&state);
    if (!state.Info)
        ThrowInvalid(Kind, "out of memory");

    bool alpha = false;
    for (int y = 0; y < Height() && !alpha; ++y)
        alpha = std::any_of(GetScanline(y), GetScanline(y) + Width(),
                            [](TColor32 c) { return (c >> 24) != 0xFF; });
    std::vector<png_bytep> rows =
        RowPointers(const_cast<TColor32*>(GetScanline(0)), Width() * sizeof(TColor32),
                    static_cast<png_uint_32>(Height()));
    if (!WriteImage(&state, static_cast<png_uint_32>(Width()), static_cast<png_uint_32>(Height()),
                    alpha, rows.data()))
        ThrowWriteFailure(stream, Kind, state.Message);
}

} // namespace Host
