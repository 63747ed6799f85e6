// A small XML reader for checking velscan's XML: accepts a declaration and one element
// tree, checks that it is well-formed (names, quoting, nesting, entity and character
// references, CDATA sections, no stray markup characters) and throws std::runtime_error
// otherwise.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace VelScanTest {

struct TXmlElement {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Attributes; // values with references resolved
    std::vector<TXmlElement> Children;
    std::string Text; // the element's own text, references resolved

    // The attribute's value; throws when there is none.
    const std::string& Attribute(std::string_view name) const;
    bool HasAttribute(std::string_view name) const;
    // The children of that name.
    std::vector<const TXmlElement*> All(std::string_view name) const;
};

TXmlElement ParseXml(std::string_view text);

} // namespace VelScanTest
