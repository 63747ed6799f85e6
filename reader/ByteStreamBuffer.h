// A read-only stream buffer over bytes the caller keeps, so that a picture in memory is read
// like a file without copying it. Positions can be told and set, as the picture readers need.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>

namespace Vel {

class TByteStreamBuffer : public std::streambuf {
public:
    explicit TByteStreamBuffer(std::span<const std::uint8_t> bytes);

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir from,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;
};

} // namespace Vel
