#include "CodecSupport.h"

#include "vel/host/Errors.h"
#include "vel/host/GraphicKinds.h"
#include "vel/host/PixelLimit.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace Host {

namespace {

// "Invalid KIND picture: REASON".
String InvalidMessage(const char* kind, const std::string& reason) {
    const std::string what = *kind != '\0' ? std::string(kind) + " picture" : "picture";
    return FromAnsi("Invalid " + what + ": " + reason);
}

} // namespace

void ThrowInvalid(const char* kind, const std::string& reason) {
    throw EInvalidGraphic(InvalidMessage(kind, reason));
}

uint64_t LargestPictureBytes() {
    constexpr uint64_t Headers = uint64_t{1} << 20;
    const uint64_t pixels = std::min(MaxPicturePixels(), (UINT64_MAX - Headers) / 8);
    return pixels * 8 + Headers;
}

std::optional<uint64_t> RemainingBytes(std::istream& stream) {
    std::streambuf* buffer = stream.rdbuf();
    const auto here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == std::streampos(-1))
        return std::nullopt;
    const auto end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
    buffer->pubseekpos(here, std::ios::in);
    if (end == std::streampos(-1) || end < here)
        return std::nullopt;
    return static_cast<uint64_t>(end - here);
}

std::string ReadRest(std::istream& stream, const char* kind) {
    const uint64_t largest = LargestPictureBytes();
    std::string data;
    // Sized once where the stream tells its length: grown by doubling, a large file would
    // take up to twice its bytes, and the outgrown copies stay in the allocator's heap.
    if (const std::optional<uint64_t> remaining = RemainingBytes(stream);
        remaining && *remaining <= largest)
        data.reserve(static_cast<size_t>(*remaining));
    char chunk[65536];
    std::streambuf* buffer = stream.rdbuf();
    for (std::streamsize got; (got = buffer->sgetn(chunk, sizeof chunk)) > 0;) {
        data.append(chunk, static_cast<size_t>(got));
        if (data.size() > largest)
            throw EPixelLimit(
                InvalidMessage(kind, "the data is larger than any picture within the pixel limit"));
    }
    return data;
}

std::vector<uint8_t> PeekSignature(std::istream& stream) {
    std::streambuf* buffer = stream.rdbuf();
    const auto start = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    if (start == std::streampos(-1))
        throw EInvalidGraphic(u"Cannot tell the picture's kind: the stream cannot be positioned");
    std::vector<uint8_t> bytes(GraphicSignatureSize);
    const auto got = buffer->sgetn(reinterpret_cast<char*>(bytes.data()),
                                   static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(got));
    buffer->pubseekpos(start, std::ios::in);
    if (bytes.empty())
        throw EInvalidGraphic(u"The picture data is empty");
    return bytes;
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
