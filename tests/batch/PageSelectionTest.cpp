// Page selection: the pages a list of pages and ranges selects, and the values refused.
#include "vel/batch/PageSelection.h"
#include "vel/batch/Errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using VelBatch::TPageSelection;

// The pages the selection takes of a file of `count` pages, walked as a worker walks them.
std::vector<int> Walked(const TPageSelection& selection, int count) {
    std::vector<int> pages;
    for (int page = selection.NextAfter(0, count); page != 0;
         page = selection.NextAfter(page, count))
        pages.push_back(page);
    return pages;
}

TEST(BatchPageSelection, SelectsThePagesAndRangesListed) {
    struct TCase {
        const char* Text;
        std::vector<int> Pages; // of a file of 10 pages
    };
    const std::vector<TCase> cases = {
        {"1", {1}},         {"2-4", {2, 3, 4}},
        {"8-", {8, 9, 10}}, {"1,3-5,8-", {1, 3, 4, 5, 8, 9, 10}},
        {"5,1", {1, 5}},    {"3-3", {3}},
        {"11", {}},         {"2,2", {2}},
    };
    for (const TCase& c : cases) {
        const TPageSelection selection = TPageSelection::Parse(c.Text);
        EXPECT_EQ(Walked(selection, 10), c.Pages) << c.Text;
        EXPECT_EQ(selection.CountWithin(10), static_cast<int>(c.Pages.size())) << c.Text;
        EXPECT_EQ(TPageSelection::Parse(selection.Text()), selection) << c.Text;
    }
    const TPageSelection every;
    EXPECT_EQ(Walked(every, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(every.Selects(INT_MAX));
    EXPECT_EQ(every.Text(), "");
    EXPECT_EQ(TPageSelection::Parse("1,3-5,8-").Text(), "1,3-5,8-");
}

TEST(BatchPageSelection, RefusesWhatIsNoListOfPages) {
    for (const std::string bad :
         {"", "0", "-3", "3-1", "1,,2", "1,", "a", "1-2-3", "2 ", " 2", "99999999999", "1-x"}) {
        try {
            TPageSelection::Parse(bad);
            ADD_FAILURE() << "'" << bad << "' taken";
        } catch (const VelBatch::EInvalidValue& error) {
            EXPECT_EQ(error.Text(), bad);
            EXPECT_STREQ(error.what(), "expected pages from 1 and ranges, e.g. 1,3-5,8-");
        }
    }
}

} // namespace
