// The shard function: a fixed hash of the path's bytes, each path in exactly one shard.
#include "Shard.h"
#include "common/UsageError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using VelScan::TShard;

TEST(VelscanShard, HashIsFnv1a64OfThePathBytes) {
    EXPECT_EQ(VelScan::PathHash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(VelScan::PathHash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(VelScan::PathHash("foobar"), 0x85944171f73967e8ull);
}

TEST(VelscanShard, EveryPathFallsInExactlyOneShardAndEveryShardGetsSome) {
    std::vector<std::string> paths;
    for (int i = 0; i < 600; ++i)
        paths.push_back("scans/" + std::to_string(i) + (i % 3 ? ".png" : "\xff\xfe.tif"));
    for (const std::uint64_t count : {1u, 2u, 3u, 7u}) {
        std::vector<int> perShard(count);
        for (const auto& path : paths) {
            int shards = 0;
            for (std::uint64_t k = 1; k <= count; ++k)
                if (VelScan::InShard(path, TShard{k, count})) {
                    ++shards;
                    ++perShard[k - 1];
                }
            EXPECT_EQ(shards, 1) << path << " of " << count << " shards";
        }
        for (const int share : perShard)
            EXPECT_GT(share, 600 / static_cast<int>(count) / 2) << count << " shards";
    }
}

TEST(VelscanShard, ParsesKOfNAndNamesABadValue) {
    EXPECT_EQ(VelScan::ParseShard("3/4").Index, 3u);
    EXPECT_EQ(VelScan::ParseShard("3/4").Count, 4u);
    for (const std::string bad : {"0/4", "5/4", "4", "/4", "1/", "a/b", "1/4x", "-1/4", "1/0"}) {
        try {
            VelScan::ParseShard(bad);
            ADD_FAILURE() << bad << " taken";
        } catch (const VelCli::EUsageError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + bad + "'"), std::string::npos)
                << error.what();
        }
    }
}

} // namespace
