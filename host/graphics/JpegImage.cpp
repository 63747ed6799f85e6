#include "vel/host/JpegImage.h"

#include "CHandle.h"
#include "CodecSupport.h"
#include "PictureSize.h"
#include "vel/host/Errors.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Host {

namespace {

constexpr const char* Kind = "JPEG";
constexpr size_t BufferSize = 16384;

// Everything libjpeg's callbacks touch. The functions that call setjmp hold no object with
// a destructor, so the long jump out of an error skips nothing.
struct TJpegState {
    jpeg_error_mgr Errors{};
    std::jmp_buf Jump{};
    char Message[JMSG_LENGTH_MAX] = "unknown error";
    std::streambuf* Input = nullptr;
    // The rows output before the data ended, once it has.
    JDIMENSION RowsBeforeEnd = 0;
    bool Ended = false;
    // A progressive picture's scans are all read before its first row is out: once the
    // header is read, data that end early end the scans there.
    bool ScansStarted = false;
    std::ostream* Output = nullptr;
    jpeg_source_mgr Source{};
    jpeg_destination_mgr Destination{};
    JOCTET Buffer[BufferSize]{};
};

TJpegState& StateOf(j_common_ptr info) {
    return *static_cast<TJpegState*>(info->client_data);
}

[[noreturn]] void Fail(j_common_ptr info, const char* message) {
    TJpegState& state = StateOf(info);
    std::snprintf(state.Message, sizeof state.Message, "%s", message);
    std::longjmp(state.Jump, 1);
}

[[noreturn]] void OnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    Fail(info, message);
}

// Warnings about recoverable damage are neither printed nor fatal.
void OnMessage(j_common_ptr, int) {}
void OnOutput(j_common_ptr) {}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// A stream that ends before the first row is out is an error, unless it ends within the
// scans of a progressive picture. One that ends later (an interrupted transfer) ends the
// picture there: an end marker in place of the missing data lets libjpeg finish, and the
// rows from where the data ended are made white; a progressive picture is drawn from the
// scans that arrived.
boolean FillInput(j_decompress_ptr info) {
    TJpegState& state = StateOf(reinterpret_cast<j_common_ptr>(info));
    const auto got = state.Input->sgetn(reinterpret_cast<char*>(state.Buffer), BufferSize);
    if (got <= 0 && (state.Ended || info->output_scanline > 0 || state.ScansStarted)) {
        if (!state.Ended)
            state.RowsBeforeEnd = info->output_scanline;
        state.Ended = true;
        state.Buffer[0] = 0xFF;
        state.Buffer[1] = JPEG_EOI;
        state.Source.next_input_byte = state.Buffer;
        state.Source.bytes_in_buffer = 2;
        return TRUE;
    }
    if (got <= 0)
        Fail(reinterpret_cast<j_common_ptr>(info), "the data ends early");
    state.Source.next_input_byte = state.Buffer;
    state.Source.bytes_in_buffer = static_cast<size_t>(got);
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    jpeg_source_mgr& source = *info->src;
    while (count > static_cast<long>(source.bytes_in_buffer)) {
        count -= static_cast<long>(source.bytes_in_buffer);
        FillInput(info);
    }
    if (count > 0) {
        source.next_input_byte += count;
        source.bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void InitDestination(j_compress_ptr info) {
    TJpegState& state = StateOf(reinterpret_cast<j_common_ptr>(info));
    state.Destination.next_output_byte = state.Buffer;
    state.Destination.free_in_buffer = BufferSize;
}

void Flush(j_compress_ptr info, size_t count) {
    TJpegState& state = StateOf(reinterpret_cast<j_common_ptr>(info));
    if (!state.Output->write(reinterpret_cast<const char*>(state.Buffer),
                             static_cast<std::streamsize>(count)))
        Fail(reinterpret_cast<j_common_ptr>(info), "the stream failed");
}

boolean EmptyOutput(j_compress_ptr info) {
    Flush(info, BufferSize);
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    Flush(info, BufferSize - info->dest->free_in_buffer);
}

void SetUp(TJpegState& state, j_common_ptr info) {
    info->err = jpeg_std_error(&state.Errors);
    state.Errors.error_exit = OnError;
    state.Errors.emit_message = OnMessage;
    state.Errors.output_message = OnOutput;
    info->client_data = &state;
    state.Source.init_source = InitSource;
    state.Source.fill_input_buffer = FillInput;
    state.Source.skip_input_data = SkipInput;
    state.Source.resync_to_restart = jpeg_resync_to_restart;
    state.Source.term_source = TermSource;
    state.Destination.init_destination = InitDestination;
    state.Destination.empty_output_buffer = EmptyOutput;
    state.Destination.term_destination = TermDestination;
}

bool ReadHeader(TJpegState* s, j_decompress_ptr info) {
    if (setjmp(s->Jump))
        return false;
    jpeg_create_decompress(info);
    info->src = &s->Source;
    jpeg_read_header(info, TRUE);
    s->ScansStarted = info->progressive_mode;
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    return true;
}

// One CMYK row as opaque colours. Adobe's files store the inks inverted.
void CmykToColours(const JSAMPLE* cmyk, TColor32* dest, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const auto ink = [&](int i) {
            return inverted ? cmyk[i] : 255u - cmyk[i];
        };
        const unsigned k = ink(3);
        const auto channel = [&](int i) {
            return (ink(i) * k + 127) / 255;
        };
        dest[x] = 0xFF000000u | (channel(0) << 16) | (channel(1) << 8) | channel(2);
    }
}

bool ReadPixels(TJpegState* s, j_decompress_ptr info, TColor32* pixels, JSAMPLE* cmykRow) {
    if (setjmp(s->Jump))
        return false;
    jpeg_start_decompress(info);
    while (info->output_scanline < info->output_height) {
        TColor32* dest = pixels + static_cast<size_t>(info->output_scanline) * info->output_width;
        JSAMPROW row = cmykRow ? cmykRow : reinterpret_cast<JSAMPROW>(dest);
        jpeg_read_scanlines(info, &row, 1);
        if (cmykRow)
            CmykToColours(cmykRow, dest, info->output_width, info->saw_Adobe_marker);
    }
    jpeg_finish_decompress(info);
    return true;
}

bool WritePixels(TJpegState* s, j_compress_ptr info, const TColor32* pixels, int width, int height,
                 int quality) {
    if (setjmp(s->Jump))
        return false;
    jpeg_create_compress(info);
    info->dest = &s->Destination;
    info->image_width = static_cast<JDIMENSION>(width);
    info->image_height = static_cast<JDIMENSION>(height);
    info->input_components = 4;
    info->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        auto row = reinterpret_cast<JSAMPROW>(const_cast<TColor32*>(
            pixels + static_cast<size_t>(info->next_scanline) * static_cast<size_t>(width)));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

// The blocks of 8 x 8 samples the picture's components hold.
uint64_t Blocks(const jpeg_decompress_struct& info) {
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
    return blocks;
}

// Refuses a picture larger than its data could code. Huffman coding spends at least a bit on
// every block (a baseline block's DC and end-of-block codes take one bit each at least, and
// a progressive picture's first DC scans code every block): a file of n bytes holds at most
// 8n blocks. Arithmetic coding can take less than a bit a block and is not held to it.
void CheckDataCodesPicture(const jpeg_decompress_struct& info, std::optional<uint64_t> bytes) {
    const uint64_t blocks = Blocks(info);
    if (info.arith_code || !bytes || blocks <= *bytes * 8)
        return;
    ThrowInvalid(Kind, "its " + std::to_string(*bytes) + " bytes cannot code a picture of " +
                           std::to_string(info.image_width) + " x " +
                           std::to_string(info.image_height) + " pixels (" +
                           std::to_string(blocks) + " blocks need at least " +
                           std::to_string((blocks + 7) / 8) + " bytes)");
}

} // namespace

void TJpegImage::LoadFromStream(std::istream& stream) {
    LoadKeepingFile(stream, Kind, [this](std::istream& file) { Decode(file); });
}

void TJpegImage::Decode(std::istream& stream) {
    const std::optional<uint64_t> bytes = RemainingBytes(stream);
    TJpegState state;
    state.Input = stream.rdbuf();
    jpeg_decompress_struct info{};
    SetUp(state, reinterpret_cast<j_common_ptr>(&info));
    const TCHandle<jpeg_decompress_struct, jpeg_destroy_decompress> release(&info);

    if (!ReadHeader(&state, &info))
        ThrowInvalid(Kind, state.Message);
    CheckPictureLimit(Kind, info.image_width, info.image_height);
    CheckDataCodesPicture(info, bytes);
    TPixelBuffer pixels = AllocatePixels(Kind, info.image_width, info.image_height);
    std::vector<JSAMPLE> cmykRow(info.out_color_space == JCS_CMYK ? size_t{info.image_width} * 4
                                                                  : 0);
    if (!ReadPixels(&state, &info, ColoursOf(pixels), cmykRow.empty() ? nullptr : cmykRow.data()))
        ThrowInvalid(Kind, state.Message);
    const auto width = static_cast<int>(info.output_width);
    const auto height = static_cast<int>(info.output_height);
    std::optional<TIncomplete> incomplete;
    // Data that end after the last row lack only the end marker.
    if (state.Ended && state.ScansStarted && state.RowsBeforeEnd == 0) {
        incomplete = TIncomplete{height, height, true};
    } else if (state.Ended && state.RowsBeforeEnd < info.output_height) {
        incomplete = TIncomplete{static_cast<int>(state.RowsBeforeEnd), height};
        const size_t rowsRead = state.RowsBeforeEnd;
        std::fill(ColoursOf(pixels) + rowsRead * info.output_width,
                  ColoursOf(pixels) + size_t{info.output_height} * info.output_width, 0xFFFFFFFFu);
    }
    TakePixels(width, height, std::move(pixels), {.Incomplete = incomplete});
}

void TJpegImage::SaveToStream(std::ostream& stream) const {
    if (WriteFileBytes(stream))
        return;
    if (Empty())
        ThrowWriteFailure(stream, Kind, "it is empty");
    TJpegState state;
    state.Output = &stream;
    jpeg_compress_struct info{};
    SetUp(state, reinterpret_cast<j_common_ptr>(&info));
    const TCHandle<jpeg_compress_struct, jpeg_destroy_compress> release(&info);
    if (!WritePixels(&state, &info, GetScanline(0), Width(), Height(), FQuality))
        ThrowWriteFailure(stream, Kind, state.Message);
}

void TJpegImage::SetCompressionQuality(int quality) {
    if (quality < 1 || quality > 100)
        throw EConvertError(FromAnsi("JPEG compression quality " + std::to_string(quality) +
                                     " is outside 1 to 100"));
    FQuality = quality;
    ForgetFileBytes();
}

} // namespace Host
