// The manual pages of velscan and veldesign (man/*.1): groff formats them without a warning,
// they carry the version the program shows, and they name every option and command the
// program's --help lists.
#include "HelpOptions.h"
#include "Process.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace VelScanTest;
using VelCliTest::HelpOptions;
using VelCliTest::NamesOption;

namespace {

struct TManPage {
    std::string Program;
    std::string Path;     // the program
    std::size_t Commands; // how many commands its help lists
};

const std::vector<TManPage> ManPages = {
    {"velscan", VELSCAN_PATH, 0},
#ifdef VELDESIGN_PATH
    {"veldesign", VELDESIGN_PATH, 7},
#endif
};

std::string PagePath(const TManPage& page) {
    return VEL_SOURCE_DIR "/man/" + page.Program + ".1";
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page's source with roff's escapes for a minus and for nothing taken out, so that an
// option reads as on the command line.
std::string PlainSource(std::string text) {
    for (const std::string escape : {"\\-", "\\&"})
        for (auto at = text.find(escape); at != std::string::npos; at = text.find(escape, at))
            text.erase(at, escape == "\\-" ? 1 : 2);
    return text;
}

// The commands of the help's "Commands:" section: the first word of its lines indented by
// two spaces.
std::set<std::string> HelpCommands(const std::string& help) {
    std::set<std::string> commands;
    const std::string heading = "\nCommands:\n";
    const auto start = help.find(heading);
    if (start == std::string::npos)
        return commands;
    std::istringstream lines(help.substr(start + heading.size()));
    for (std::string line; std::getline(lines, line) && !line.empty();)
        if (line.starts_with("  ") && line[2] != ' ')
            commands.insert(line.substr(2, line.find(' ', 2) - 2));
    return commands;
}

// The heading lines of the entries of the page's OPTIONS section: each line there that
// follows a ".TP".
std::string OptionHeadings(const std::string& source) {
    const auto start = source.find("\n.SH OPTIONS\n");
    const auto end = source.find("\n.SH ", start + 1);
    std::istringstream lines(source.substr(start, end - start));
    std::string headings;
    bool heading = false;
    for (std::string line; std::getline(lines, line); heading = line == ".TP")
        if (heading)
            headings += line + '\n';
    return headings;
}

TEST(ManPage, GroffFormatsEachWithoutWarnings) {
#ifndef GROFF_PATH
    GTEST_SKIP() << "groff is not installed (scripts/setup.sh installs groff-base)";
#else
    for (const TManPage& page : ManPages) {
        const auto run = RunProcess({GROFF_PATH, "-man", "-ww", "-z", "-Tutf8", PagePath(page)});
        EXPECT_EQ(run.ExitStatus, 0) << page.Program;
        EXPECT_EQ(run.Err, "") << page.Program;
    }
#endif
}

TEST(ManPage, EachCarriesTheVersionItsProgramShows) {
    for (const TManPage& page : ManPages) {
        // The first line; velscan names its engines on the next.
        const std::string out = RunProcess({page.Path, "--version"}).Out;
        const std::string version = out.substr(0, out.find('\n') + 1);
        ASSERT_TRUE(version.starts_with(page.Program + " ") && version.ends_with('\n')) << version;
        const std::string number =
            version.substr(page.Program.size() + 1, version.size() - page.Program.size() - 2);
        EXPECT_NE(Contents(PagePath(page))
                      .find("\n.TH " + UpperCase(page.Program) + " 1 \"\" \"Vel " + number + "\""),
                  std::string::npos)
            << page.Program << " " << number;
    }
}

TEST(ManPage, EachNamesEveryOptionAndCommandOfTheHelp) {
    for (const TManPage& page : ManPages) {
        const std::string help = RunProcess({page.Path, "--help"}).Out;
        const std::string source = PlainSource(Contents(PagePath(page)));
        const auto options = HelpOptions(help);
        EXPECT_GE(options.size(), 8u) << page.Program << ": " << help;
        for (const std::string& option : options)
            EXPECT_TRUE(NamesOption(source, option)) << page.Program << ": " << option;
        // A command is the first word of an entry of the page's COMMANDS.
        const auto commands = HelpCommands(help);
        EXPECT_EQ(commands.size(), page.Commands) << page.Program << ": " << help;
        for (const std::string& command : commands)
            EXPECT_TRUE(std::regex_search(source, std::regex("\n\\.B[IR]? " + command + "[ \n]")))
                << page.Program << ": " << command;
    }
}

// An option's entry starts with the option itself, so that a reader finds it where the
// formatted page sets option names apart.
TEST(ManPage, EachOptionOfTheHelpHeadsAnEntry) {
    for (const TManPage& page : ManPages) {
        const std::string headings = OptionHeadings(PlainSource(Contents(PagePath(page))));
        for (const std::string& option : HelpOptions(RunProcess({page.Path, "--help"}).Out))
            EXPECT_TRUE(NamesOption(headings, option))
                << page.Program << ": " << option << " has no entry of its own";
    }
}

} // namespace
