// The shell completions of velscan (completions/): both name every option of the help, and
// bash, given the completion, offers the values of --format and --effort and the options a
// prefix starts.
#include "HelpOptions.h"
#include "Process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace VelScanTest;
using VelCliTest::HelpOptions;
using VelCliTest::NamesOption;

namespace {

const std::string BashCompletion = VEL_SOURCE_DIR "/completions/velscan.bash";
const std::string ZshCompletion = VEL_SOURCE_DIR "/completions/_velscan";

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What bash offers for the words typed so far, the last being the one completed: one
// candidate a line.
std::string BashOffers(const std::string& typed) {
    const std::string script =
        "source '" + BashCompletion + "'; COMP_WORDS=(" + typed +
        "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1));"
        " _velscan; ((${#COMPREPLY[@]} == 0)) || printf '%s\\n' \"${COMPREPLY[@]}\"";
    const auto run = RunProcess({BASH_PATH, "-c", script});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    return run.Out;
}

TEST(Completion, EachNamesEveryOptionOfTheHelp) {
    const auto options = HelpOptions(RunProcess({VELSCAN_PATH, "--help"}).Out);
    ASSERT_GE(options.size(), 20u);
    for (const std::string& file : {BashCompletion, ZshCompletion}) {
        const std::string text = Contents(file);
        for (const std::string& option : options)
            EXPECT_TRUE(NamesOption(text, option)) << file << ": " << option;
    }
}

TEST(Completion, BashOffersValuesAndOptions) {
    struct TCase {
        const char* Typed;
        const char* Offers;
    };
    const std::vector<TCase> cases = {
        {"velscan --format ''", "text\nraw\njson\nxml\nzbar-xml\n"},
        {"velscan -f j", "json\n"},
        {"velscan --effort ''", "fast\nnormal\nthorough\n"},
        {"velscan -e th", "thorough\n"},
        {"velscan --eff", "--effort\n"},
        {"velscan --formats ean13,qr", "ean13,qrcode\n"},
        {"velscan --formats data", "databar\ndatabar-exp\ndatamatrix\n"},
        {"velscan --st", "--stdin-picture\n"},
        {"velscan --timeout ''", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(BashOffers(c.Typed), c.Offers) << c.Typed;
}

TEST(Completion, ZshParsesItsCompletion) {
#ifndef ZSH_PATH
    GTEST_SKIP() << "zsh is not installed (scripts/setup.sh installs it)";
#else
    const auto run = RunProcess({ZSH_PATH, "-n", ZshCompletion});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
#endif
}

} // namespace
