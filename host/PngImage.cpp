#include "vel/host/PngImage.h"

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

// Reads the header and sets the transforms that give 8-bit BGRA rows.
bool ReadHeader(TPngState* s, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(s->Png)))
        return false;
    png_set_read_fn(s->Png, s, ReadData);
    png_read_info(s->Png, s->Info);
    png_set_expand(s->Png);
    png_set_scale_16(s->Png);
    png_set_gray_to_rgb(s->Png);
    png_set_bgr(s->Png);
    png_set_filler(s->Png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(s->Png);
    png_read_update_info(s->Png, s->Info);
    *width = png_get_image_width(s->Png, s->Info);
    *height = png_get_image_height(s->Png, s->Info);
    if (png_get_rowbytes(s->Png, s->Info) != static_cast<size_t>(*width) * 4)
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

// The row addresses of a top-down 32-bit pixel buffer.
std::vector<png_bytep> RowPointers(const TColor32* pixels, int width, int height) {
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = reinterpret_cast<png_bytep>(
            const_cast<TColor32*>(pixels + static_cast<size_t>(y) * static_cast<size_t>(width)));
    return rows;
}

} // namespace

void TPngImage::LoadFromStream(std::istream& stream) {
    TPngState state;
    state.Input = stream.rdbuf();
    state.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    state.Info = state.Png ? png_create_info_struct(state.Png) : nullptr;
    struct TGuard {
        TPngState& S;
        ~TGuard() { png_destroy_read_struct(&S.Png, &S.Info, nullptr); }
    } guard{state};
    if (!state.Info)
        ThrowInvalid(Kind, "out of memory");

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!ReadHeader(&state, &width, &height))
        ThrowInvalid(Kind, state.Message);
    std::vector<TColor32> pixels = AllocatePixels(Kind, width, height);
    std::vector<png_bytep> rows =
        RowPointers(pixels.data(), static_cast<int>(width), static_cast<int>(height));
    if (!ReadRows(&state, rows.data()))
        ThrowInvalid(Kind, state.Message);
    TakePixels(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

void TPngImage::SaveToStream(std::ostream& stream) const {
    if (Empty())
        ThrowWriteFailure(stream, Kind, "it is empty");
    TPngState state;
    state.Output = &stream;
    state.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    state.Info = state.Png ? png_create_info_struct(state.Png) : nullptr;
    struct TGuard {
        TPngState& S;
        ~TGuard() { png_destroy_write_struct(&S.Png, &S.Info); }
    } guard{state};
    if (!state.Info)
        ThrowInvalid(Kind, "out of memory");

    bool alpha = false;
    for (int y = 0; y < Height() && !alpha; ++y)
        alpha = std::any_of(GetScanline(y), GetScanline(y) + Width(),
                            [](TColor32 c) { return (c >> 24) != 0xFF; });
    std::vector<png_bytep> rows = RowPointers(GetScanline(0), Width(), Height());
    if (!WriteImage(&state, static_cast<png_uint_32>(Width()), static_cast<png_uint_32>(Height()),
                    alpha, rows.data()))
        ThrowWriteFailure(stream, Kind, state.Message);
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
    auto copy = std::make_unique<TPngImage>();
    copy->CopyPixelsFrom(*this);
    return copy;
}

} // namespace Host
