// XML 1.0 text: which texts XML can carry, and escaping for element content and attributes.
#pragma once

#include <string>
#include <string_view>

namespace VelFormats {

// Whether the bytes are well-formed UTF-8 made only of characters XML 1.0 allows (no
// control characters but tab, line feed and carriage return; no U+FFFE or U+FFFF).
bool IsXmlText(std::string_view bytes);

// The text escaped for element content and for attribute values in double or single quotes.
// Markup characters become entities; tab, line feed and carriage return become character
// references so that parsers keep them exactly; bytes that are not well-formed UTF-8 and
// characters XML cannot carry become U+FFFD.
std::string XmlEscaped(std::string_view text);

} // namespace VelFormats
