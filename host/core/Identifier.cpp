#include "vel/host/Identifier.h"

#include <algorithm>

namespace Host {

namespace {

bool IsIdentStart(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

bool IsIdentPart(char16_t c) {
    return IsIdentStart(c) || (c >= u'0' && c <= u'9');
}

} // namespace

bool IsValidIdent(std::u16string_view name) noexcept {
    return !name.empty() && IsIdentStart(name.front()) &&
           std::all_of(name.begin() + 1, name.end(), IsIdentPart);
}

} // namespace Host
