// The text form format as a tree: objects with their properties and nested objects, read
// from and written to text. It knows nothing of classes; the form reader and writer map the
// tree onto components.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

namespace Host {

// An identifier value: True, False or an event handler's name.
struct VEL_API TFormIdent {
    String Name;
    friend bool operator==(const TFormIdent&, const TFormIdent&) = default;
};

using TFormBytes = std::vector<uint8_t>;

// A property value: an integer, a string, an identifier or a binary block.
using TFormValue = std::variant<int64_t, String, TFormIdent, TFormBytes>;

struct VEL_API TFormProperty {
    String Name; // a dotted path for a property of a sub-object, e.g. Picture.Data
    TFormValue Value;
    int Line = 0; // 1-based line of the property in the text; 0 when not read from text
};

struct VEL_API TFormObject {
    String Name;
    String ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// The deepest nesting of objects a form text may hold, the root being level 1. Deeper text
// is refused rather than read by a recursion that could exhaust the stack.
inline constexpr int MaxFormNesting = 256;

// Reads one object and everything nested in it from UTF-8 text, after a byte-order mark if
// the text starts with one. Raises EReadError with the line number for a syntax error, an
// empty text, objects nested deeper than MaxFormNesting, text that is not UTF-8, or anything
// after the final end.
VEL_API TFormObject ParseFormText(std::string_view text);

// Writes the object as UTF-8 text that ParseFormText reads back to an equal tree.
VEL_API AnsiString FormatFormText(const TFormObject& root);

} // namespace Host
