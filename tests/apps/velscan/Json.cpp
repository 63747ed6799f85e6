#include "Json.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace VelScanTest {

namespace {

class TParser {
public:
    explicit TParser(std::string_view text) : FText(text) {}

    TJson Document() {
        TJson value = Value();
        SkipSpace();
        if (FPos != FText.size())
            Fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("invalid JSON at " + std::to_string(FPos) + ": " + what);
    }

    void SkipSpace() {
        while (FPos < FText.size() &&
               std::string_view(" \t\r\n").find(FText[FPos]) != std::string_view::npos)
            ++FPos;
    }

    bool Accept(std::string_view token) {
        SkipSpace();
        if (!FText.substr(FPos).starts_with(token))
            return false;
        FPos += token.size();
        return true;
    }

    void Expect(std::string_view token) {
        if (!Accept(token))
            Fail("expected " + std::string(token));
    }

    TJson Value() {
        TJson value;
        if (Accept("{")) {
            value.Kind = TJson::TKind::Object;
            if (!Accept("}")) {
                do {
                    SkipSpace();
                    std::string name = String();
                    Expect(":");
                    value.Fields.push_back({std::move(name), Value()});
                } while (Accept(","));
                Expect("}");
            }
        } else if (Accept("[")) {
            value.Kind = TJson::TKind::Array;
            if (!Accept("]")) {
                do
                    value.Items.push_back(Value());
                while (Accept(","));
                Expect("]");
            }
        } else if (Accept("true")) {
            value.Kind = TJson::TKind::Bool;
            value.Bool = true;
        } else if (Accept("false")) {
            value.Kind = TJson::TKind::Bool;
        } else if (Accept("null")) {
        } else if (SkipSpace(), FPos < FText.size() && FText[FPos] == '"') {
            value.Kind = TJson::TKind::String;
            value.String = String();
        } else {
            value.Kind = TJson::TKind::Number;
            value.Number = Number();
        }
        return value;
    }

    double Number() {
        const std::string rest(FText.substr(FPos));
        char* end = nullptr;
        const double number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str())
            Fail("expected a value");
        FPos += static_cast<std::size_t>(end - rest.c_str());
        return number;
    }

    std::string String() {
        if (FPos >= FText.size() || FText[FPos] != '"')
            Fail("expected a string");
        ++FPos;
        std::string out;
        while (FPos < FText.size() && FText[FPos] != '"') {
            const char c = FText[FPos++];
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character in a string");
            if (c == '\\')
                Escape(out);
            else
                out += c;
        }
        if (FPos == FText.size())
            Fail("unterminated string");
        ++FPos;
        return out;
    }

    void Escape(std::string& out) {
        if (FPos == FText.size())
            Fail("cut escape");
        const char c = FText[FPos++];
        const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
        if (const auto k = simple.find(c); k != std::string_view::npos) {
            out += meaning[k];
            return;
        }
        if (c != 'u' || FPos + 4 > FText.size())
            Fail("bad escape");
        const unsigned code = std::stoul(std::string(FText.substr(FPos, 4)), nullptr, 16);
        FPos += 4;
        if (code >= 0x80)
            Fail("only \\u escapes of ASCII characters are expected");
        out += static_cast<char>(code);
    }

    std::string_view FText;
    std::size_t FPos = 0;
};

} // namespace

bool TJson::Has(std::string_view name) const {
    for (const auto& [key, value] : Fields)
        if (key == name)
            return true;
    return false;
}

const TJson& TJson::operator[](std::string_view name) const {
    for (const auto& [key, value] : Fields)
        if (key == name)
            return value;
    throw std::runtime_error("no field " + std::string(name));
}

TJson ParseJson(std::string_view text) {
    return TParser(text).Document();
}

} // namespace VelScanTest
