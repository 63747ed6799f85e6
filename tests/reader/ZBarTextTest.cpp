// The second engine's texts in ZBar's conventions: UPC-E expanded to its EAN-13 form, GS1
// element strings in brackets as raw characters with GS separators.
#include "ZBarText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct TExpansion {
    const char* UpcE;
    std::optional<std::string> Ean13;
};

TEST(ExpandUpcE, EachLastDigitRuleAndTheCheckDigit) {
    const TExpansion cases[] = {
        {"01234565", "0012345000065"}, // last digit 5-9: four zeros before it
        {"01234505", "0012000003455"}, // 0-2: it follows the first two digits
        {"01234531", "0012300000451"}, // 3: five zeros after the first three
        {"01234541", "0012340000051"}, // 4: five zeros after the first four
        {"11234565", "0112345000065"}, // number system 1 kept
        {"0123456", std::nullopt},     // too short
        {"0123456A", std::nullopt},    // not digits
    };
    for (const TExpansion& c : cases)
        EXPECT_EQ(Vel::ExpandUpcE(c.UpcE), c.Ean13) << c.UpcE;
}

struct TGs1 {
    const char* Bracketed;
    std::optional<std::string> Raw;
};

TEST(Gs1RawText, SeparatorAfterVariableLengthValuesButTheLast) {
    const TGs1 cases[] = {
        {"(11)100224(17)110224(3102)000100", "11100224171102243102000100"},
        {"(01)98898765432106(15)991231(3103)001750(10)12A(422)123(21)123456(423)012345678901",
         "01988987654321061599123131030017501012A\x1D"
         "422123\x1D"
         "21123456\x1D"
         "423012345678901"},
        {"(10)ABC", "10ABC"},
        {"01234", std::nullopt},  // no identifier
        {"(0A)12", std::nullopt}, // identifier not digits
        {"(1)12", std::nullopt},  // identifier too short
        {"", std::nullopt},
    };
    for (const TGs1& c : cases)
        EXPECT_EQ(Vel::Gs1RawText(c.Bracketed), c.Raw) << c.Bracketed;
}

} // namespace
