// The hash of a path's bytes that names it where the path itself cannot: the shard a picture
// falls in, an annotated picture's file name when its path is too long for one.
#pragma once

#include "vel/host/Export.h"

#include <cstdint>
#include <string_view>

namespace VelBatch {

// FNV-1a, 64 bits (offset basis 14695981039346656037, prime 1099511628211), over the bytes;
// the same on every machine and every run.
VEL_API std::uint64_t PathHash(std::string_view path);

} // namespace VelBatch
