#include "vel/host/PixelBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace Host {

namespace {

// malloc and calloc rather than new[]: calloc hands out fresh pages, already zero, without
// writing them, and neither initialises bytes a decoder overwrites anyway.
std::shared_ptr<uint8_t> Own(void* bytes) {
    if (bytes == nullptr)
        throw std::bad_alloc();
    return std::shared_ptr<uint8_t>(static_cast<uint8_t*>(bytes), std::free);
}

} // namespace

TPixelBuffer::TPixelBuffer(std::shared_ptr<uint8_t> bytes, size_t size)
    : FBytes(std::move(bytes)), FSize(size) {}

TPixelBuffer TPixelBuffer::Uninitialised(size_t size) {
    return size == 0 ? TPixelBuffer() : TPixelBuffer(Own(std::malloc(size)), size);
}

TPixelBuffer TPixelBuffer::Zeroed(size_t size) {
    return size == 0 ? TPixelBuffer() : TPixelBuffer(Own(std::calloc(size, 1)), size);
}

uint8_t* TPixelBuffer::MutableData() {
    if (FBytes.use_count() > 1) {
        TPixelBuffer copy = Uninitialised(FSize);
        std::memcpy(copy.FBytes.get(), FBytes.get(), FSize);
        *this = std::move(copy);
    }
    return FBytes.get();
}

} // namespace Host
