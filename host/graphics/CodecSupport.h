// What the decoders and encoders of the compressed kinds share.
#pragma once

#include "vel/host/String.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace Host {

// Raises EInvalidGraphic "Invalid <kind> picture: <reason>" ("Invalid picture: <reason>" for
// an empty kind).
[[noreturn]] void ThrowInvalid(const char* kind, const std::string& reason);

// Bytes enough for any encoding of a picture within the pixel limit: 8 a pixel (16-bit
// RGBA uncompressed) and 1 MiB of headers, saturated rather than wrapped.
uint64_t LargestPictureBytes();

// The bytes left in the stream from its current position, when it can tell without reading
// them (a file or a string stream can, a pipe cannot).
std::optional<uint64_t> RemainingBytes(std::istream& stream);

// The rest of the stream, for libraries that decode from memory; EInvalidGraphic when it
// is longer than any picture within the pixel limit can be.
std::string ReadRest(std::istream& stream, const char* kind);

// The first bytes of the stream (at most GraphicSignatureSize), which is left where it was,
// for telling its kind; EInvalidGraphic when it is empty or cannot be positioned.
std::vector<uint8_t> PeekSignature(std::istream& stream);

// After a library failed to encode: EWriteError when the stream failed, otherwise
// EInvalidGraphic "Cannot write the <kind> picture: <reason>".
[[noreturn]] void ThrowWriteFailure(const std::ostream& stream, const char* kind,
                                    const std::string& reason);

// Writes the bytes; EWriteError naming kind when the stream fails.
void WriteBytes(std::ostream& stream, const void* data, size_t size, const char* kind);

} // namespace Host
