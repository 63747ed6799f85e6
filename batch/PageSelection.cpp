#include "vel/batch/PageSelection.h"

#include "vel/batch/Errors.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

namespace VelBatch {

namespace {

// A page number from 1, or nothing.
std::optional<int> ParsePage(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

std::optional<std::pair<int, int>> ParseRange(std::string_view text) {
    const std::size_t dash = text.find('-');
    const auto first = ParsePage(text.substr(0, dash));
    if (!first)
        return std::nullopt;
    if (dash == std::string_view::npos)
        return std::pair{*first, *first};
    if (dash + 1 == text.size())
        return std::pair{*first, INT_MAX};
    const auto last = ParsePage(text.substr(dash + 1));
    if (!last || *last < *first)
        return std::nullopt;
    return std::pair{*first, *last};
}

} // namespace

TPageSelection TPageSelection::Parse(const std::string& text) {
    TPageSelection selection;
    std::string_view rest = text;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const auto range = ParseRange(rest.substr(0, comma));
        if (!range)
            throw EInvalidValue(text, "expected pages from 1 and ranges, e.g. 1,3-5,8-");
        selection.FRanges.push_back(*range);
        if (comma == std::string_view::npos)
            return selection;
        rest.remove_prefix(comma + 1);
    }
}

bool TPageSelection::Selects(int page) const {
    return FRanges.empty() ||
           std::any_of(FRanges.begin(), FRanges.end(), [page](const auto& range) {
               return range.first <= page && page <= range.second;
           });
}

int TPageSelection::NextAfter(int page, int count) const {
    for (int next = page + 1; next <= count; ++next)
        if (Selects(next))
            return next;
    return 0;
}

std::string TPageSelection::Text() const {
    std::string text;
    for (const auto& [first, last] : FRanges) {
        text += (text.empty() ? "" : ",") + std::to_string(first);
        if (last == INT_MAX)
            text += '-';
        else if (last != first)
            text += '-' + std::to_string(last);
    }
    return text;
}

int TPageSelection::CountWithin(int count) const {
    int selected = 0;
    for (int page = NextAfter(0, count); page != 0; page = NextAfter(page, count))
        ++selected;
    return selected;
}

} // namespace VelBatch
