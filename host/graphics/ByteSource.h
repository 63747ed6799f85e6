// Sequential reading of little-endian binary data from a stream, counting the position.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>

namespace Host {

class TByteSource {
public:
    // truncated: the message of the EInvalidGraphic raised when the data ends early.
    TByteSource(std::istream& stream, const char* truncated);

    uint64_t Position() const noexcept { return FPosition; }
    // The bytes left in the stream when it can tell, without reading them.
    std::optional<uint64_t> Remaining() const;

    void Read(void* dest, uint64_t count);
    uint8_t Byte();
    uint16_t Word();
    uint32_t DWord();
    int32_t Int();
    // Skips forward to the offset from where reading started.
    void SkipTo(uint64_t offset);

private:
    [[noreturn]] void Truncated() const;

    std::istream& FStream;
    const char* FTruncated;
    uint64_t FPosition = 0;
};

} // namespace Host
