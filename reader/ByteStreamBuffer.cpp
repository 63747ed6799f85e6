#include "ByteStreamBuffer.h"

namespace Vel {

// The whole of the bytes is the get area; nothing is ever written through it.
TByteStreamBuffer::TByteStreamBuffer(std::span<const std::uint8_t> bytes) {
    char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    setg(begin, begin, begin + bytes.size());
}

TByteStreamBuffer::pos_type TByteStreamBuffer::seekoff(off_type offset, std::ios_base::seekdir from,
                                                       std::ios_base::openmode which) {
    const off_type base = from == std::ios_base::beg   ? 0
                          : from == std::ios_base::cur ? gptr() - eback()
                                                       : egptr() - eback();
    return seekpos(pos_type(base + offset), which);
}

TByteStreamBuffer::pos_type TByteStreamBuffer::seekpos(pos_type position,
                                                       std::ios_base::openmode which) {
    const off_type at = position;
    if (!(which & std::ios_base::in) || at < 0 || at > egptr() - eback())
        return pos_type(off_type(-1));
    setg(eback(), eback() + at, egptr());
    return position;
}

} // namespace Vel
