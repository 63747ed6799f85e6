#include "LoaderFixtures.h"
#include "ParamLabel.h"
#include "vel/Loader.h"
#include "vel/VelError.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ZBar.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <string>

using namespace ZBar;
using FakeZBar::ArgOf;
using testing::ElementsAre;

struct TCodeCase {
    const char* Label;
    std::function<std::uint32_t()> Compute;
    std::uint32_t Expected;
};

class CodeHelpersTest : public FakeZBarTest, public testing::WithParamInterface<TCodeCase> {};

TEST_P(CodeHelpersTest, ComputesTheCode) {
    EXPECT_EQ(GetParam().Compute(), GetParam().Expected) << GetParam().Label;
}

namespace {

// The sum zbar_scan_rgb24 hands to zbar_scan_y, which the fake answers with that sum.
std::uint32_t ScanRgb(unsigned char r, unsigned char g, unsigned char b) {
    const unsigned char rgb[3] = {r, g, b};
    return zbar_scan_rgb24(nullptr, rgb);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Helpers, CodeHelpersTest,
    testing::Values(
        TCodeCase{"FourccY800", [] { return zbar_fourcc('Y', '8', '0', '0'); }, 0x30303859},
        TCodeCase{"FourccGray", [] { return zbar_fourcc('G', 'R', 'A', 'Y'); }, 0x59415247},
        TCodeCase{"FourccAbove255", [] { return zbar_fourcc(0x100, 0, 0, 0); }, 0x100},
        TCodeCase{"ParseNull", [] { return zbar_fourcc_parse(nullptr); }, 0},
        TCodeCase{"ParseEmpty", [] { return zbar_fourcc_parse(""); }, 0},
        TCodeCase{"ParseY800", [] { return zbar_fourcc_parse("Y800"); }, 0x30303859},
        TCodeCase{"ParseGray", [] { return zbar_fourcc_parse("GRAY"); }, 0x59415247},
        TCodeCase{"ParseTwoCharacters", [] { return zbar_fourcc_parse("GR"); }, 0x5247},
        TCodeCase{"ParseFiveCharacters", [] { return zbar_fourcc_parse("Y8000"); }, 0x30303859},
        TCodeCase{"ParseByteFF", [] { return zbar_fourcc_parse("\xFF"); }, 0xFF},
        TCodeCase{"Rgb24White", [] { return ScanRgb(255, 255, 255); }, 765},
        TCodeCase{"Rgb24Black", [] { return ScanRgb(0, 0, 0); }, 0},
        TCodeCase{"Rgb24Sum", [] { return ScanRgb(10, 20, 30); }, 60}),
    ParamLabel());

static_assert(zbar_fourcc_parse("Y800") == zbar_fourcc('Y', '8', '0', '0'));

// A parse helper that applies the setting, and the ZBar function it applies it with.
struct TApplyingCase {
    const char* Label;
    const char* Setter;
    std::function<int(void* object, const char* text)> Parse;
};

class ApplyingParseTest : public FakeZBarTest, public testing::WithParamInterface<TApplyingCase> {};

TEST_P(ApplyingParseTest, RejectedTextAppliesNothing) {
    Fake.SetResult("zbar_parse_config", 7);
    int object = 0;
    EXPECT_EQ(GetParam().Parse(&object, "nonsense"), 7);
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_parse_config"));
    EXPECT_EQ(Fake.CallsTo("zbar_parse_config")[0].Text, "nonsense");
}

TEST_P(ApplyingParseTest, ParsedSettingIsAppliedAndItsResultReturned) {
    int object = 0;
    for (const int setterResult : {0, 5}) {
        Fake.Reset();
        Fake.SetParseOutput(0x050D, 0x101, -3);
        Fake.SetResult(GetParam().Setter, setterResult);
        EXPECT_EQ(GetParam().Parse(&object, "ean13.x-density=3"), setterResult);
        EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_parse_config", GetParam().Setter));
        EXPECT_THAT(
            Fake.CallsTo(GetParam().Setter)[0].Args,
            ElementsAre(ArgOf(&object), 0x050D, 0x101, static_cast<unsigned long long>(-3)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, ApplyingParseTest,
    testing::Values(TApplyingCase{"ImageScanner", "zbar_image_scanner_set_config",
                                  [](void* object, const char* text) {
                                      return zbar_image_scanner_parse_config(
                                          static_cast<zbar_image_scanner_t*>(object), text);
                                  }},
                    TApplyingCase{"Decoder", "zbar_decoder_set_config",
                                  [](void* object, const char* text) {
                                      return zbar_decoder_parse_config(
                                          static_cast<zbar_decoder_t*>(object), text);
                                  }}),
    ParamLabel());

TEST_F(FakeZBarTest, ProcessorParseOnlyParses) {
    EXPECT_EQ(zbar_processor_parse_config(nullptr, "ean13.enable=0"), 0);
    Fake.SetResult("zbar_parse_config", 2);
    EXPECT_EQ(zbar_processor_parse_config(nullptr, "nonsense"), 2);
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_parse_config", "zbar_parse_config"));
}

TEST_F(FakeZBarTest, ErrorForwardsHandTheirArgumentsToTheGenericEntries) {
    int object = 0;
    const auto* processor = reinterpret_cast<const zbar_processor_t*>(&object);
    const auto* video = reinterpret_cast<const zbar_video_t*>(&object);
    const auto* window = reinterpret_cast<const zbar_window_t*>(&object);
    Fake.SetResult("_zbar_error_spew", 42);
    Fake.SetResult("_zbar_get_error_code", ZBAR_ERR_BUSY);
    const std::vector<unsigned long long> withVerbosity{ArgOf(&object), 3};
    const std::vector<unsigned long long> objectOnly{ArgOf(&object)};
    struct {
        const char* Generic;
        std::function<std::string()> Forward;
        std::string Result;
        const std::vector<unsigned long long>& Args;
    } const cases[] = {
        {"_zbar_error_spew",
         [&] { return std::to_string(zbar_processor_error_spew(processor, 3)); }, "42",
         withVerbosity},
        {"_zbar_error_spew", [&] { return std::to_string(zbar_video_error_spew(video, 3)); }, "42",
         withVerbosity},
        {"_zbar_error_spew", [&] { return std::to_string(zbar_window_error_spew(window, 3)); },
         "42", withVerbosity},
        {"_zbar_error_string",
         [&] { return std::string(zbar_processor_error_string(processor, 3)); }, "fake error text",
         withVerbosity},
        {"_zbar_error_string", [&] { return std::string(zbar_video_error_string(video, 3)); },
         "fake error text", withVerbosity},
        {"_zbar_error_string", [&] { return std::string(zbar_window_error_string(window, 3)); },
         "fake error text", withVerbosity},
        {"_zbar_get_error_code",
         [&] { return std::to_string(zbar_processor_get_error_code(processor)); }, "7", objectOnly},
        {"_zbar_get_error_code", [&] { return std::to_string(zbar_video_get_error_code(video)); },
         "7", objectOnly},
        {"_zbar_get_error_code", [&] { return std::to_string(zbar_window_get_error_code(window)); },
         "7", objectOnly},
    };
    for (const auto& c : cases) {
        const auto before = Fake.Calls().size();
        EXPECT_EQ(c.Forward(), c.Result) << c.Generic;
        const auto calls = Fake.Calls();
        ASSERT_EQ(calls.size(), before + 1) << c.Generic;
        EXPECT_EQ(calls.back().Name, c.Generic);
        EXPECT_EQ(calls.back().Args, c.Args) << c.Generic;
    }
}
