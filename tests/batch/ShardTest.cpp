// The shard function: a fixed hash of the path's bytes, each path in exactly one shard.
#include "vel/batch/Shard.h"
#include "vel/batch/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using VelBatch::TShard;

TEST(BatchShard, HashIsFnv1a64OfThePathBytes) {
    EXPECT_EQ(VelBatch::PathHash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(VelBatch::PathHash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(VelBatch::PathHash("foobar"), 0x85944171f73967e8ull);
}

TEST(BatchShard, EveryPathFallsInExactlyOneShardAndEveryShardGetsSome) {
    std::vector<std::string> paths;
    for (int i = 0; i < 600; ++i)
        paths.push_back("scans/" + std::to_string(i) + (i % 3 ? ".png" : "\xff\xfe.tif"));
    for (const std::uint64_t count : {1u, 2u, 3u, 7u}) {
        std::vector<int> perShard(count);
        for (const auto& path : paths) {
            int shards = 0;
            for (std::uint64_t k = 1; k <= count; ++k)
                if (VelBatch::InShard(path, TShard{k, count})) {
                    ++shards;
                    ++perShard[k - 1];
                }
            EXPECT_EQ(shards, 1) << path << " of " << count << " shards";
        }
        for (const int share : perShard)
            EXPECT_GT(share, 600 / static_cast<int>(count) / 2) << count << " shards";
    }
}

TEST(BatchShard, ParsesKOfNAndNamesABadValue) {
    EXPECT_EQ(VelBatch::ParseShard("3/4").Index, 3u);
    EXPECT_EQ(VelBatch::ParseShard("3/4").Count, 4u);
    for (const std::string bad : {"0/4", "5/4", "4", "/4", "1/", "a/b", "1/4x", "-1/4", "1/0"}) {
        try {
            VelBatch::ParseShard(bad);
            ADD_FAILURE() << bad << " taken";
        } catch (const VelBatch::EInvalidValue& error) {
            EXPECT_EQ(error.Text(), bad) << error.what();
        }
    }
}

} // namespace
