#include "vel/batch/Shard.h"

#include "vel/batch/Errors.h"

#include <charconv>

namespace VelBatch {

namespace {

constexpr std::uint64_t MaxShards = 1'000'000;

bool ParseCount(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool InShard(std::string_view path, TShard shard) {
    return PathHash(path) % shard.Count == shard.Index - 1;
}

TShard ParseShard(const std::string& text) {
    const std::string_view view = text;
    const std::size_t slash = view.find('/');
    TShard shard;
    if (slash == std::string_view::npos || !ParseCount(view.substr(0, slash), shard.Index) ||
        !ParseCount(view.substr(slash + 1), shard.Count) || shard.Index < 1 ||
        shard.Index > shard.Count || shard.Count > MaxShards)
        throw EInvalidValue(text, "expected K/N, whole numbers with 1 <= K <= N <= " +
                                      std::to_string(MaxShards));
    return shard;
}

} // namespace VelBatch
