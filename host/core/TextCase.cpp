#include "vel/host/TextCase.h"

#include <algorithm>

namespace Host {

namespace {

template <class TChar> TChar AsciiUpper(TChar c) {
    return c >= TChar{'a'} && c <= TChar{'z'} ? static_cast<TChar>(c - (TChar{'a'} - TChar{'A'}))
                                              : c;
}

template <class TChar>
bool SameAsciiText(std::basic_string_view<TChar> a, std::basic_string_view<TChar> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](TChar x, TChar y) { return AsciiUpper(x) == AsciiUpper(y); });
}

} // namespace

bool SameText(std::u16string_view a, std::u16string_view b) noexcept {
    return SameAsciiText(a, b);
}

bool SameText(std::string_view a, std::string_view b) noexcept {
    return SameAsciiText(a, b);
}

String UpperCase(std::u16string_view text) {
    String upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper<char16_t>);
    return upper;
}

} // namespace Host
