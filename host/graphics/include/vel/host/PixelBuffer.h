// The memory of a graphic's pixels, shared by copies until one of them writes: a bitmap
// assigned from a picture holds the picture's pixels, and the first write through either
// side gives that side a copy of its own.
#pragma once

#include "vel/host/Export.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Host {

class VEL_API TPixelBuffer {
public:
    // No bytes.
    TPixelBuffer() = default;

    // size bytes whose content is undefined until written. The system commits the pages of
    // a large buffer as they are first written, so a decoder that fails part way through a
    // file never holds the memory of the whole picture.
    static TPixelBuffer Uninitialised(size_t size);
    // size bytes of 0, committed the same way.
    static TPixelBuffer Zeroed(size_t size);

    size_t Size() const noexcept { return FSize; }
    const uint8_t* Data() const noexcept { return FBytes.get(); }
    // The bytes for writing; copied first while another buffer shares them.
    uint8_t* MutableData();

    // True when both hold the same memory (both empty counts too).
    bool SharesWith(const TPixelBuffer& other) const noexcept { return FBytes == other.FBytes; }

private:
    TPixelBuffer(std::shared_ptr<uint8_t> bytes, size_t size);

    std::shared_ptr<uint8_t> FBytes;
    size_t FSize = 0;
};

} // namespace Host
