#include "MemoryStream.h"

namespace Host {

TMemoryStreamBuffer::TMemoryStreamBuffer(std::string_view bytes) {
    // The buffer is only read: get-area pointers are not const in std::streambuf.
    char* begin = const_cast<char*>(bytes.data());
    setg(begin, begin, begin + bytes.size());
}

TMemoryStreamBuffer::pos_type TMemoryStreamBuffer::seekoff(off_type offset,
                                                           std::ios::seekdir direction,
                                                           std::ios::openmode which) {
    if ((which & std::ios::in) == 0)
        return pos_type(off_type(-1));
    const off_type base = direction == std::ios::beg   ? 0
                          : direction == std::ios::cur ? gptr() - eback()
                                                       : egptr() - eback();
    const off_type target = base + offset;
    if (target < 0 || target > egptr() - eback())
        return pos_type(off_type(-1));
    setg(eback(), eback() + target, egptr());
    return pos_type(target);
}

TMemoryStreamBuffer::pos_type TMemoryStreamBuffer::seekpos(pos_type position,
                                                           std::ios::openmode which) {
    return seekoff(off_type(position), std::ios::beg, which);
}

} // namespace Host
