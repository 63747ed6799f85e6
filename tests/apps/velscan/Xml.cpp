#include "Xml.h"

#include <cctype>
#include <stdexcept>

namespace VelScanTest {

namespace {

void AppendUtf8(std::string& out, unsigned long c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class TParser {
public:
    explicit TParser(std::string_view text) : FText(text) {}

    TXmlElement Document() {
        if (FText.starts_with("<?xml")) {
            FPos = FText.find("?>");
            if (FPos == std::string_view::npos)
                Fail("unterminated declaration");
            FPos += 2;
        }
        SkipSpace();
        TXmlElement root = Element();
        SkipSpace();
        if (FPos != FText.size())
            Fail("text after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("invalid XML at " + std::to_string(FPos) + ": " + what);
    }

    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }

    void SkipSpace() {
        while (!AtEnd() && std::isspace(static_cast<unsigned char>(Peek())))
            ++FPos;
    }

    void Expect(char c) {
        if (Peek() != c)
            Fail(std::string("expected '") + c + "'");
        ++FPos;
    }

    std::string Name() {
        const std::size_t start = FPos;
        while (!AtEnd() && (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '-' ||
                            Peek() == '_' || Peek() == ':'))
            ++FPos;
        if (FPos == start || std::isdigit(static_cast<unsigned char>(FText[start])))
            Fail("expected a name");
        return std::string(FText.substr(start, FPos - start));
    }

    // Text up to the stop character, with references resolved; '<' is never allowed.
    std::string Characters(char stop) {
        std::string out;
        while (!AtEnd() && Peek() != stop) {
            const char c = FText[FPos++];
            if (c == '<')
                Fail("'<' in text");
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                Fail("control character in text");
            if (c == '&')
                Reference(out);
            else
                out += c;
        }
        return out;
    }

    // A CDATA section's text, as it stands.
    std::string CharacterData() {
        FPos += std::string_view("<![CDATA[").size();
        const std::size_t end = FText.find("]]>", FPos);
        if (end == std::string_view::npos)
            Fail("unterminated CDATA section");
        std::string text(FText.substr(FPos, end - FPos));
        FPos = end + 3;
        return text;
    }

    void Reference(std::string& out) {
        const std::size_t end = FText.find(';', FPos);
        if (end == std::string_view::npos)
            Fail("unterminated reference");
        const std::string_view name = FText.substr(FPos, end - FPos);
        FPos = end + 1;
        static const std::pair<std::string_view, char> Entities[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [entity, c] : Entities)
            if (name == entity) {
                out += c;
                return;
            }
        if (name.size() < 2 || name[0] != '#')
            Fail("unknown entity");
        const bool hex = name[1] == 'x';
        const std::string digits(name.substr(hex ? 2 : 1));
        std::size_t used = 0;
        const unsigned long code = std::stoul(digits, &used, hex ? 16 : 10);
        if (used != digits.size())
            Fail("bad character reference");
        AppendUtf8(out, code);
    }

    TXmlElement Element() {
        Expect('<');
        TXmlElement element;
        element.Name = Name();
        for (;;) {
            SkipSpace();
            if (Peek() == '/') {
                ++FPos;
                Expect('>');
                return element;
            }
            if (Peek() == '>')
                break;
            std::string name = Name();
            Expect('=');
            const char quote = Peek();
            if (quote != '"' && quote != '\'')
                Fail("unquoted attribute value");
            ++FPos;
            std::string value = Characters(quote);
            Expect(quote);
            if (element.HasAttribute(name))
                Fail("repeated attribute " + name);
            element.Attributes.emplace_back(std::move(name), std::move(value));
        }
        ++FPos;
        for (;;) {
            element.Text += Characters('<');
            if (FText.substr(FPos).starts_with("<![CDATA["))
                element.Text += CharacterData();
            else if (FText.substr(FPos).starts_with("</"))
                break;
            else
                element.Children.push_back(Element());
        }
        FPos += 2;
        if (Name() != element.Name)
            Fail("end tag does not match " + element.Name);
        SkipSpace();
        Expect('>');
        return element;
    }

    std::string_view FText;
    std::size_t FPos = 0;
};

} // namespace

const std::string& TXmlElement::Attribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes)
        if (key == name)
            return value;
    throw std::runtime_error("no attribute " + std::string(name) + " on " + Name);
}

bool TXmlElement::HasAttribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes)
        if (key == name)
            return true;
    return false;
}

std::vector<const TXmlElement*> TXmlElement::All(std::string_view name) const {
    std::vector<const TXmlElement*> found;
    for (const auto& child : Children)
        if (child.Name == name)
            found.push_back(&child);
    return found;
}

TXmlElement ParseXml(std::string_view text) {
    return TParser(text).Document();
}

} // namespace VelScanTest
