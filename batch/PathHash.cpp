#include "vel/batch/Shard.h"

namespace VelBatch {

std::uint64_t PathHash(std::string_view path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace VelBatch
