#include "vel/host/TextCase.h"
#include "vel/host/Identifier.h"

#include <gtest/gtest.h>

using namespace Host;

namespace {

struct SameTextCase {
    String A;
    String B;
    bool Same;
};

class SameTextTable : public testing::TestWithParam<SameTextCase> {};

// Only ASCII letters fold: characters 0x20 apart that are not letters, and letters beyond
// ASCII, must stay different.
TEST_P(SameTextTable, FoldsAsciiLettersOnly) {
    const auto& [a, b, same] = GetParam();
    EXPECT_EQ(SameText(a, b), same);
    EXPECT_EQ(SameText(ToAnsi(a), ToAnsi(b)), same);
}

INSTANTIATE_TEST_SUITE_P(
    Host, SameTextTable,
    testing::Values(SameTextCase{u"", u"", true}, SameTextCase{u"TVel", u"tvEL", true},
                    SameTextCase{u"Object", u"object", true}, SameTextCase{u"Vel", u"Vel1", false},
                    SameTextCase{u"ab", u"ba", false}, SameTextCase{u"@", u"`", false},
                    SameTextCase{u"[", u"{", false}, SameTextCase{u"_", u"\x7f", false},
                    SameTextCase{u"0", u"\x10", false},
                    SameTextCase{u"\u00c9t\u00e9", u"\u00e9t\u00e9", false},
                    SameTextCase{u"\u00e9t\u00e9", u"\u00e9T\u00e9", true}));

TEST(UpperCase, RaisesAsciiLettersOnly) {
    EXPECT_EQ(UpperCase(u"Vel_scan9 \u00e9`{"), u"VEL_SCAN9 \u00e9`{");
}

struct IdentCase {
    String Name;
    bool Valid;
};

class IsValidIdentTable : public testing::TestWithParam<IdentCase> {};

TEST_P(IsValidIdentTable, TakesALetterOrUnderscoreThenLettersDigitsOrUnderscores) {
    EXPECT_EQ(IsValidIdent(GetParam().Name), GetParam().Valid);
}

INSTANTIATE_TEST_SUITE_P(Host, IsValidIdentTable,
                         testing::Values(IdentCase{u"Vel1", true}, IdentCase{u"_", true},
                                         IdentCase{u"a_B9", true}, IdentCase{u"", false},
                                         IdentCase{u"1a", false}, IdentCase{u"a-b", false},
                                         IdentCase{u"a b", false},
                                         IdentCase{u"\u00e9t\u00e9", false},
                                         IdentCase{u"a\u00e9", false}));

} // namespace
