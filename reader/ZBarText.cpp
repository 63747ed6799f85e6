#include "ZBarText.h"

#include <algorithm>
#include <array>

namespace Vel {

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The application identifiers of predefined length, by their first two digits (GS1's table
// of them, figure 5.10.1-2 of its rules): no separator follows their values.
bool PredefinedLength(std::string_view identifier) {
    static constexpr std::array<std::string_view, 22> Fixed = {
        "00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16",
        "17", "18", "19", "20", "31", "32", "33", "34", "35", "36", "41"};
    return std::find(Fixed.begin(), Fixed.end(), identifier.substr(0, 2)) != Fixed.end();
}

constexpr char GroupSeparator = '\x1D';

} // namespace

std::optional<std::string> ExpandUpcE(std::string_view digits) {
    if (digits.size() != 8 || !AllDigits(digits))
        return std::nullopt;
    const std::string_view d = digits.substr(1, 6);
    std::string middle; // the UPC-A's ten digits between number system and check digit
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        middle = std::string(d.substr(0, 2)) + d[5] + "0000" + std::string(d.substr(2, 3));
        break;
    case '3':
        middle = std::string(d.substr(0, 3)) + "00000" + std::string(d.substr(3, 2));
        break;
    case '4':
        middle = std::string(d.substr(0, 4)) + "00000" + d[4];
        break;
    default:
        middle = std::string(d.substr(0, 5)) + "0000" + d[5];
        break;
    }
    return "0" + std::string(1, digits[0]) + middle + digits[7];
}

std::optional<std::string> Gs1RawText(std::string_view bracketed) {
    std::string raw;
    bool separatorDue = false;
    while (!bracketed.empty()) {
        const std::size_t close = bracketed.find(')');
        if (bracketed[0] != '(' || close == std::string_view::npos || close < 3 || close > 5)
            return std::nullopt;
        const std::string_view identifier = bracketed.substr(1, close - 1);
        if (!AllDigits(identifier))
            return std::nullopt;
        bracketed.remove_prefix(close + 1);
        const std::size_t next = std::min(bracketed.find('('), bracketed.size());
        if (separatorDue)
            raw += GroupSeparator;
        raw.append(identifier).append(bracketed.substr(0, next));
        separatorDue = !PredefinedLength(identifier);
        bracketed.remove_prefix(next);
    }
    if (raw.empty())
        return std::nullopt;
    return raw;
}

} // namespace Vel
