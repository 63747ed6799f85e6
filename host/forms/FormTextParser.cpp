#include "vel/host/FormText.h"

#include "vel/host/Errors.h"
#include "vel/host/NumberText.h"
#include "vel/host/TextCase.h"
#include "vel/host/Utf8.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace Host {

namespace {

[[noreturn]] void SyntaxError(int line, const String& what) {
    throw EReadError(u"Line " + IntToStr(line) + u": " + what);
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexDigit(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

enum class TTokenKind { Ident, Integer, String, Binary, Symbol, End };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    int Line = 0;
    std::string_view Text; // the identifier or the symbol
    int64_t Integer = 0;
    String Str;
    TFormBytes Bytes;
};

// Splits the text into tokens, one at a time, counting lines.
class TLexer {
public:
    explicit TLexer(std::string_view text) : FText(text) {}

    TToken Next() {
        SkipSpace();
        TToken token;
        token.Line = FLine;
        if (FPos >= FText.size())
            return token;
        const char c = FText[FPos];
        if (IsLetter(c))
            ReadIdent(token);
        else if (IsDigit(c) || c == '-' || c == '+')
            ReadSignOrInteger(token);
        else if (c == '\'' || c == '#')
            ReadString(token);
        else if (c == '{')
            ReadBinary(token);
        else if (c == ':' || c == '=' || c == '.')
            ReadSymbol(token);
        else
            SyntaxError(FLine, u"unexpected character '" + FromAnsi(FText.substr(FPos, 1)) + u"'");
        return token;
    }

private:
    void SkipSpace() {
        while (FPos < FText.size() && IsSpace(FText[FPos]))
            Advance();
    }

    void Advance() {
        if (FText[FPos] == '\n')
            ++FLine;
        ++FPos;
    }

    void ReadIdent(TToken& token) {
        const size_t start = FPos;
        while (FPos < FText.size() && (IsLetter(FText[FPos]) || IsDigit(FText[FPos])))
            ++FPos;
        token.Kind = TTokenKind::Ident;
        token.Text = FText.substr(start, FPos - start);
    }

    void ReadSymbol(TToken& token) {
        token.Kind = TTokenKind::Symbol;
        token.Text = FText.substr(FPos++, 1);
    }

    // A '+' between string segments continues the string; otherwise a sign starts a number.
    void ReadSignOrInteger(TToken& token) {
        const size_t start = FPos;
        if (FText[FPos] == '-' || FText[FPos] == '+')
            ++FPos;
        if (FPos >= FText.size() || !IsDigit(FText[FPos]))
            SyntaxError(FLine,
                        u"a number expected after '" + FromAnsi(FText.substr(start, 1)) + u"'");
        while (FPos < FText.size() && IsDigit(FText[FPos]))
            ++FPos;
        std::string_view digits = FText.substr(start, FPos - start);
        if (digits.front() == '+')
            digits.remove_prefix(1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), token.Integer);
        if (error != std::errc() || end != digits.data() + digits.size())
            SyntaxError(FLine, u"integer " + FromAnsi(digits) + u" out of range");
        token.Kind = TTokenKind::Integer;
    }

    // One or more segments: 'quoted text' (a doubled quote stands for one) and #code, side
    // by side or joined by '+' across lines.
    void ReadString(TToken& token) {
        token.Kind = TTokenKind::String;
        for (;;) {
            if (FPos < FText.size() && FText[FPos] == '\'')
                ReadQuoted(token.Str);
            else if (FPos < FText.size() && FText[FPos] == '#')
                ReadCharCode(token.Str);
            else if (!ContinuesWithPlus())
                return;
        }
    }

    bool ContinuesWithPlus() {
        size_t look = FPos;
        while (look < FText.size() && IsSpace(FText[look]))
            ++look;
        if (look + 1 >= FText.size() || FText[look] != '+')
            return false;
        size_t after = look + 1;
        while (after < FText.size() && IsSpace(FText[after]))
            ++after;
        if (after >= FText.size() || (FText[after] != '\'' && FText[after] != '#'))
            return false;
        while (FPos < after)
            Advance();
        return true;
    }

    void ReadQuoted(String& out) {
        const int line = FLine;
        std::string bytes;
        for (++FPos;; ++FPos) {
            if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
                SyntaxError(line, u"string not closed before the end of the line");
            if (FText[FPos] == '\'') {
                if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                    bytes += '\'';
                    ++FPos;
                    continue;
                }
                ++FPos;
                break;
            }
            bytes += FText[FPos];
        }
        out += FromAnsi(bytes);
    }

    void ReadCharCode(String& out) {
        const size_t start = ++FPos;
        while (FPos < FText.size() && IsDigit(FText[FPos]))
            ++FPos;
        unsigned code = 0;
        const auto [end, error] = std::from_chars(FText.data() + start, FText.data() + FPos, code);
        if (start == FPos || error != std::errc() || code > 0xFFFF)
            SyntaxError(FLine, u"a character code from #0 to #65535 expected");
        out += static_cast<char16_t>(code);
    }

    void ReadBinary(TToken& token) {
        const int line = FLine;
        token.Kind = TTokenKind::Binary;
        int high = -1;
        for (++FPos;; Advance()) {
            if (FPos >= FText.size())
                SyntaxError(line, u"binary block not closed with '}'");
            const char c = FText[FPos];
            if (c == '}')
                break;
            if (IsSpace(c))
                continue;
            const int digit = HexDigit(c);
            if (digit < 0 && IsLetter(c) && !LineHolds('}'))
                SyntaxError(line, u"binary block not closed with '}'");
            if (digit < 0)
                SyntaxError(FLine, u"hexadecimal digit expected in a binary block");
            if (high < 0) {
                high = digit;
            } else {
                token.Bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
        ++FPos;
        if (high >= 0)
            SyntaxError(FLine, u"binary block truncated: an odd number of hexadecimal digits");
    }

    // True when the rest of the current line holds the character: a word in a binary block
    // on a line without '}' is the text after a block whose '}' is missing.
    bool LineHolds(char c) const {
        const size_t end = std::min(FText.find('\n', FPos), FText.size());
        return FText.substr(FPos, end - FPos).find(c) != std::string_view::npos;
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
};

class TParser {
public:
    explicit TParser(std::string_view text) : FLexer(text) { Shift(); }

    TFormObject ParseForm() {
        if (FToken.Kind == TTokenKind::End)
            SyntaxError(FToken.Line, u"the form text is empty");
        TFormObject root = ParseObject(1);
        if (FToken.Kind != TTokenKind::End)
            SyntaxError(FToken.Line, u"end of text expected after the final 'end'");
        return root;
    }

private:
    void Shift() { FToken = FLexer.Next(); }

    bool AtKeyword(std::string_view keyword) const {
        return FToken.Kind == TTokenKind::Ident && SameText(FToken.Text, keyword);
    }

    bool AtSymbol(char symbol) const {
        return FToken.Kind == TTokenKind::Symbol && FToken.Text[0] == symbol;
    }

    [[noreturn]] void Expected(const String& what) const {
        SyntaxError(FToken.Line, what + u" expected" + Found());
    }

    String Found() const {
        switch (FToken.Kind) {
        case TTokenKind::End:
            return u" but the text ends";
        case TTokenKind::Ident:
        case TTokenKind::Symbol:
            return u" but found '" + FromAnsi(FToken.Text) + u"'";
        default:
            return u" but found a value";
        }
    }

    bool AtReservedWord() const { return AtKeyword("object") || AtKeyword("end"); }

    // Names and identifier values are never the reserved words object and end.
    String ExpectIdent(const String& what) {
        if (FToken.Kind != TTokenKind::Ident || AtReservedWord())
            Expected(what);
        String name = FromAnsi(FToken.Text);
        Shift();
        return name;
    }

    void ExpectSymbol(char symbol) {
        if (!AtSymbol(symbol))
            Expected(u"'" + String(1, static_cast<char16_t>(symbol)) + u"'");
        Shift();
    }

    TFormObject ParseObject(int depth) {
        if (!AtKeyword("object"))
            Expected(u"'object'");
        if (depth > MaxFormNesting)
            SyntaxError(FToken.Line,
                        u"objects nested deeper than " + IntToStr(MaxFormNesting) + u" levels");
        TFormObject object;
        object.Line = FToken.Line;
        Shift();
        object.ClassName = ExpectIdent(u"a component name or class name");
        if (AtSymbol(':')) {
            Shift();
            object.Name = std::move(object.ClassName);
            object.ClassName = ExpectIdent(u"a class name");
        }
        while (!AtKeyword("end")) {
            if (AtKeyword("object"))
                object.Children.push_back(ParseObject(depth + 1));
            else
                object.Properties.push_back(ParseProperty());
        }
        Shift();
        return object;
    }

    TFormProperty ParseProperty() {
        TFormProperty property;
        property.Line = FToken.Line;
        property.Name = ExpectIdent(u"a property name, 'object' or 'end'");
        while (AtSymbol('.')) {
            Shift();
            property.Name += u"." + ExpectIdent(u"a property name after '.'");
        }
        ExpectSymbol('=');
        property.Value = ParseValue();
        return property;
    }

    TFormValue ParseValue() {
        if (AtReservedWord())
            Expected(u"a value");
        TToken token = std::move(FToken);
        Shift();
        switch (token.Kind) {
        case TTokenKind::Integer:
            return token.Integer;
        case TTokenKind::String:
            return std::move(token.Str);
        case TTokenKind::Ident:
            return TFormIdent{FromAnsi(token.Text)};
        case TTokenKind::Binary:
            return std::move(token.Bytes);
        default:
            FToken = std::move(token);
            Expected(u"a value");
        }
    }

    TLexer FLexer;
    TToken FToken;
};

// A line feed byte never occurs inside a UTF-8 sequence, so lines can be checked one by one.
void CheckUtf8(std::string_view text) {
    int line = 1;
    for (size_t start = 0; start <= text.size(); ++line) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view part = text.substr(start, end - start);
        if (!IsValidUtf8(part))
            SyntaxError(line, u"the text is not valid UTF-8");
        start = end + 1;
    }
}

} // namespace

TFormObject ParseFormText(std::string_view text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(ByteOrderMark))
        text.remove_prefix(ByteOrderMark.size());
    CheckUtf8(text);
    return TParser(text).ParseForm();
}

} // namespace Host
