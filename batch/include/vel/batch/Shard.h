// Splitting a run's pictures into N shards that separate runs (machines, array jobs) scan
// apart: a picture belongs to shard K of N when the FNV-1a 64-bit hash of its path's bytes,
// modulo N, is K - 1. The hash depends on the path alone, so every run agrees on the split
// whatever the order of the inputs, -j or the isolation.
#pragma once

#include "vel/host/Export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace VelBatch {

// The hash of a path's bytes that names it where the path itself cannot: the shard a picture
// falls in, an annotated picture's file name when its path is too long for one. FNV-1a, 64
// bits (offset basis 14695981039346656037, prime 1099511628211); the same on every machine
// and every run.
VEL_API std::uint64_t PathHash(std::string_view path);

struct TShard {
    std::uint64_t Index = 1; // K, from 1 to Count
    std::uint64_t Count = 1; // N
};

VEL_API bool InShard(std::string_view path, TShard shard);

// Reads "K/N" with 1 <= K <= N; throws EInvalidValue.
VEL_API TShard ParseShard(const std::string& text);

} // namespace VelBatch
