// Reading bytes held in memory as a positionable input stream, without copying them.
#pragma once

#include <istream>
#include <streambuf>
#include <string_view>

namespace Host {

class TMemoryStreamBuffer : public std::streambuf {
public:
    explicit TMemoryStreamBuffer(std::string_view bytes);

protected:
    pos_type seekoff(off_type offset, std::ios::seekdir direction,
                     std::ios::openmode which) override;
    pos_type seekpos(pos_type position, std::ios::openmode which) override;
};

// An input stream over the bytes, which must outlive it.
class TMemoryStream : public std::istream {
public:
    explicit TMemoryStream(std::string_view bytes) : std::istream(nullptr), FBuffer(bytes) {
        rdbuf(&FBuffer);
    }

private:
    TMemoryStreamBuffer FBuffer;
};

} // namespace Host
