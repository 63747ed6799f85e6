#include "vel/host/WebPImage.h"

#include "CHandle.h"
#include "CodecSupport.h"
#include "vel/host/Errors.h"

#include <webp/decode.h>
#include <webp/encode.h>

#include <istream>
#include <string>

namespace Host {

namespace {

constexpr const char* Kind = "WebP";

std::string StatusText(VP8StatusCode status) {
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
        return "out of memory";
    case VP8_STATUS_INVALID_PARAM:
        return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR:
        return "the data is corrupt";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return "it uses an unsupported feature (animation?)";
    case VP8_STATUS_NOT_ENOUGH_DATA:
        return "the data ends early";
    default:
        return "decoding failed (status " + std::to_string(static_cast<int>(status)) + ")";
    }
}

} // namespace

void TWebPImage::LoadFromStream(std::istream& stream) {
    LoadKeepingFile(stream, Kind, [this](std::istream& file) { Decode(file); });
}

void TWebPImage::Decode(std::istream& stream) {
    const std::string data = ReadRest(stream, Kind);
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    WebPBitstreamFeatures features;
    if (const VP8StatusCode status = WebPGetFeatures(bytes, data.size(), &features);
        status != VP8_STATUS_OK)
        ThrowInvalid(Kind, StatusText(status));
    if (features.has_animation)
        ThrowInvalid(Kind, StatusText(VP8_STATUS_UNSUPPORTED_FEATURE));
    const auto width = static_cast<uint64_t>(features.width);
    const auto height = static_cast<uint64_t>(features.height);
    TPixelBuffer pixels = AllocatePixels(Kind, width, height);

    WebPDecoderConfig config;
    WebPInitDecoderConfig(&config);
    const TCHandle<WebPDecBuffer, WebPFreeDecBuffer> release(&config.output);
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pixels.MutableData();
    config.output.u.RGBA.stride = static_cast<int>(width * 4);
    config.output.u.RGBA.size = pixels.Size();
    const VP8StatusCode status = WebPDecode(bytes, data.size(), &config);
    if (status != VP8_STATUS_OK)
        ThrowInvalid(Kind, StatusText(status));
    TakePixels(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

void TWebPImage::SaveToStream(std::ostream& stream) const {
    if (WriteFileBytes(stream))
        return;
    if (Empty())
        ThrowWriteFailure(stream, Kind, "it is empty");
    const auto* pixels = reinterpret_cast<const uint8_t*>(GetScanline(0));
    const int stride = Width() * 4;
    uint8_t* output = nullptr;
    const size_t size = FLossless
                            ? WebPEncodeLosslessBGRA(pixels, Width(), Height(), stride, &output)
                            : WebPEncodeBGRA(pixels, Width(), Height(), stride,
                                             static_cast<float>(FQuality), &output);
    const TCHandle<uint8_t, WebPFree> owned(output);
    if (size == 0)
        ThrowWriteFailure(stream, Kind, "the encoder failed (WebP allows at most 16383 x 16383)");
    WriteBytes(stream, output, size, Kind);
}

void TWebPImage::SetQuality(int quality) {
    if (quality < 0 || quality > 100)
        throw EConvertError(
            FromAnsi("WebP quality " + std::to_string(quality) + " is outside 0 to 100"));
    FQuality = quality;
    ForgetFileBytes();
}

} // namespace Host
