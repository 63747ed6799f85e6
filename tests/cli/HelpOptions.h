// The options a program's --help lists, and whether a text names one, for the tests that
// hold the manual pages and the shell completions to the help.
#pragma once

#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace VelCliTest {

// The options of the help's option lines: each line whose text starts with '-' lists the
// names of one option ("-f, --format FORMAT" is -f and --format).
inline std::set<std::string> HelpOptions(const std::string& help) {
    std::set<std::string> options;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        for (std::string word; words >> word && word.starts_with('-');)
            options.insert(word.substr(0, word.find_first_of(",=")));
    }
    return options;
}

// Whether the text names the option as a word of its own ("-r" is not in "--rect").
inline bool NamesOption(const std::string& text, const std::string& option) {
    return std::regex_search(text, std::regex("(^|[^-\\w])" + option + "($|[^-\\w])"));
}

} // namespace VelCliTest
