#include "CodecSupport.h"

#include "vel/host/Errors.h"
#include "vel/host/PixelLimit.h"

#include <istream>
#include <ostream>

namespace Host {

void ThrowInvalid(const char* kind, const std::string& reason) {
    throw EInvalidGraphic(FromAnsi(std::string("Invalid ") + kind + " picture: " + reason));
}

std::string ReadRest(std::istream& stream, const char* kind) {
    // Even uncompressed, a picture within the limit needs at most 8 bytes a pixel.
    const uint64_t largest = MaxPicturePixels() * 8 + (uint64_t{1} << 20);
    std::string data;
    char chunk[65536];
    std::streambuf* buffer = stream.rdbuf();
    for (std::streamsize got; (got = buffer->sgetn(chunk, sizeof chunk)) > 0;) {
        data.append(chunk, static_cast<size_t>(got));
        if (data.size() > largest)
            ThrowInvalid(kind, "the data is larger than any picture within the pixel limit");
    }
    return data;
}

void ThrowWriteFailure(const std::ostream& stream, const char* kind, const std::string& reason) {
    if (!stream)
        throw EWriteError(
            FromAnsi(std::string("Cannot write the ") + kind + " picture: the stream failed"));
    throw EInvalidGraphic(
        FromAnsi(std::string("Cannot write the ") + kind + " picture: " + reason));
}

void WriteBytes(std::ostream& stream, const void* data, size_t size, const char* kind) {
    if (!stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(size)))
        ThrowWriteFailure(stream, kind, "the stream failed");
}

} // namespace Host
