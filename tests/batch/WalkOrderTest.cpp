// The walk order: how a folder's pictures are listed, and the one comparison that merging
// results uses to put them back in that order.
#include "TempFolder.h"
#include "vel/batch/Inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using VelBatch::WalkOrderLess;

TEST(BatchWalkOrder, ComparesPathsPartByPart) {
    struct TCase {
        const char* Before;
        const char* After;
    };
    // Bytewise, '.' (0x2E) sorts before '/' (0x2F): a whole-path comparison would put
    // "a.png" before "a/b.png", but a folder's pictures come at the folder's place.
    const std::vector<TCase> cases = {
        {"a/b.png", "a.png"},         {"a/z/y.png", "a/z.png"},   {"a", "a/b"},
        {"A.png", "a.png"},           {"x/1.png", "x/2.png"},     {"x/10.png", "x/9.png"},
        {"\x7f.png", "\xc3\xa9.png"}, {"dir/sub/x", "dir/sub-x"},
    };
    for (const TCase& c : cases) {
        EXPECT_TRUE(WalkOrderLess(c.Before, c.After)) << c.Before << " < " << c.After;
        EXPECT_FALSE(WalkOrderLess(c.After, c.Before)) << c.After << " < " << c.Before;
    }
    EXPECT_FALSE(WalkOrderLess("same/path.png", "same/path.png"));
}

// A recursive walk lists the pictures in the order WalkOrderLess sorts them.
TEST(BatchWalkOrder, AWalkListsThePicturesInTheWalkOrder) {
    const Support::TTempFolder folder;
    const auto root = folder.Path("walk");
    for (const char* name : {"b.png", "a.png", "a/z.png", "a/b.png", "a-b/c.png", "a.b/d.png",
                             "Z.png", "a/sub/e.png", "a/sub.png", "notes.txt"}) {
        std::filesystem::create_directories((root / name).parent_path());
        std::ofstream(root / name) << "x";
    }
    std::vector<std::string> walked;
    std::istringstream none;
    VelBatch::ReadInputs(
        {root.string()}, true, VelBatch::TPathList::Lines, none,
        [&walked](VelBatch::TInput input) { walked.push_back(input.Path); },
        [](const std::string&) {});
    ASSERT_EQ(walked.size(), 9u);
    EXPECT_TRUE(std::is_sorted(walked.begin(), walked.end(), WalkOrderLess));
    EXPECT_EQ(walked.front(), (root / "Z.png").string());
    EXPECT_EQ(walked[1], (root / "a/b.png").string());
    std::vector<std::string> sorted = walked;
    std::reverse(sorted.begin(), sorted.end());
    std::sort(sorted.begin(), sorted.end(), WalkOrderLess);
    EXPECT_EQ(sorted, walked);
}

} // namespace
