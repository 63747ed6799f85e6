#include "ByteSource.h"

#include "CodecSupport.h"
#include "vel/host/Errors.h"

namespace Host {

TByteSource::TByteSource(std::istream& stream, const char* truncated)
    : FStream(stream), FTruncated(truncated) {}

std::optional<uint64_t> TByteSource::Remaining() const {
    return RemainingBytes(FStream);
}

void TByteSource::Read(void* dest, uint64_t count) {
    const auto got =
        FStream.rdbuf()->sgetn(static_cast<char*>(dest), static_cast<std::streamsize>(count));
    FPosition += static_cast<uint64_t>(got);
    if (static_cast<uint64_t>(got) != count)
        Truncated();
}

uint8_t TByteSource::Byte() {
    const auto c = FStream.rdbuf()->sbumpc();
    if (c == std::istream::traits_type::eof())
        Truncated();
    ++FPosition;
    return static_cast<uint8_t>(c);
}

uint16_t TByteSource::Word() {
    const uint8_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
}

uint32_t TByteSource::DWord() {
    const uint16_t low = Word();
    return low | (static_cast<uint32_t>(Word()) << 16);
}

int32_t TByteSource::Int() {
    return static_cast<int32_t>(DWord());
}

void TByteSource::SkipTo(uint64_t offset) {
    while (FPosition < offset)
        Byte();
}

void TByteSource::Truncated() const {
    throw EInvalidGraphic(FromAnsi(FTruncated));
}

} // namespace Host
