#include "vel/formats/JsonEntry.h"

#include "Base64.h"

#include <vel/host/Utf8.h>

#include <charconv>

namespace VelFormats {

namespace {

constexpr int MaxDepth = 64;

// A strict JSON reader (RFC 8259) that keeps only the top-level members an entry needs.
class TEntryParser {
public:
    explicit TEntryParser(std::string_view text) : FText(text) {}

    std::optional<TJsonEntry> Entry() {
        TJsonEntry entry;
        std::optional<std::string> path, pathBytes;
        SkipSpace();
        if (!Take('{'))
            return std::nullopt;
        SkipSpace();
        if (!Take('}')) {
            do {
                SkipSpace();
                std::string name;
                if (!String(&name) || (SkipSpace(), !Take(':')) ||
                    !Member(name, entry, path, pathBytes))
                    return std::nullopt;
                SkipSpace();
            } while (Take(','));
            if (!Take('}'))
                return std::nullopt;
        }
        SkipSpace();
        if (FPos != FText.size() || !path)
            return std::nullopt;
        if (pathBytes) {
            const auto bytes = FromBase64(*pathBytes);
            if (!bytes)
                return std::nullopt;
            path = *bytes;
        }
        entry.Path = std::move(*path);
        return entry;
    }

private:
    bool Member(const std::string& name, TJsonEntry& entry, std::optional<std::string>& path,
                std::optional<std::string>& pathBytes) {
        SkipSpace();
        if (name == "path" || name == "path_base64") {
            std::string text;
            if (!String(&text))
                return false;
            (name == "path" ? path : pathBytes) = std::move(text);
            return true;
        }
        if (name == "page" || name == "pages") {
            long long number = 0;
            if (!Integer(number))
                return false;
            (name == "page" ? entry.Page : entry.Pages) = number;
            return true;
        }
        entry.HasError |= name == "error";
        if (name == "barcodes" && FPos + 1 < FText.size() && FText[FPos] == '[')
            entry.HasBarcode = FText[FPos + 1] != ']';
        return Value(0);
    }

    bool Take(char c) {
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }

    bool TakeWord(std::string_view word) {
        if (!FText.substr(FPos).starts_with(word))
            return false;
        FPos += word.size();
        return true;
    }

    void SkipSpace() {
        while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t' ||
                                       FText[FPos] == '\r' || FText[FPos] == '\n'))
            ++FPos;
    }

    bool Value(int depth) {
        if (depth > MaxDepth || FPos >= FText.size())
            return false;
        switch (FText[FPos]) {
        case '{':
        case '[':
            return Container(depth);
        case '"':
            return String(nullptr);
        case 't':
            return TakeWord("true");
        case 'f':
            return TakeWord("false");
        case 'n':
            return TakeWord("null");
        default:
            return Number();
        }
    }

    bool Container(int depth) {
        const bool object = FText[FPos++] == '{';
        const char close = object ? '}' : ']';
        SkipSpace();
        if (Take(close))
            return true;
        do {
            SkipSpace();
            if (object && (!String(nullptr) || (SkipSpace(), !Take(':'))))
                return false;
            SkipSpace();
            if (!Value(depth + 1))
                return false;
            SkipSpace();
        } while (Take(','));
        return Take(close);
    }

    bool Digits() {
        const std::size_t start = FPos;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9')
            ++FPos;
        return FPos > start;
    }

    bool Number() {
        Take('-');
        if (!Take('0') && !Digits())
            return false;
        if (Take('.') && !Digits())
            return false;
        if (Take('e') || Take('E')) {
            if (!Take('+'))
                Take('-');
            return Digits();
        }
        return true;
    }

    bool Integer(long long& value) {
        const std::size_t start = FPos;
        if (!Number())
            return false;
        const char* first = FText.data() + start;
        const char* last = FText.data() + FPos;
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last;
    }

    bool Hex4(unsigned& code) {
        if (FPos + 4 > FText.size())
            return false;
        const char* first = FText.data() + FPos;
        const auto [end, error] = std::from_chars(first, first + 4, code, 16);
        FPos += 4;
        return error == std::errc() && end == first + 4;
    }

    // A \u escape, a surrogate pair taken whole, appended as UTF-8.
    bool Unicode(std::string& out) {
        unsigned code = 0;
        if (!Hex4(code))
            return false;
        if (code >= 0xD800 && code < 0xDC00) {
            unsigned low = 0;
            if (!TakeWord("\\u") || !Hex4(low) || low < 0xDC00 || low >= 0xE000)
                return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code < 0xE000) {
            return false;
        }
        Host::AppendUtf8(out, static_cast<char32_t>(code));
        return true;
    }

    bool Escape(std::string& out) {
        if (FPos >= FText.size())
            return false;
        const char c = FText[FPos++];
        if (c == 'u')
            return Unicode(out);
        const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
        const std::size_t k = simple.find(c);
        if (k == std::string_view::npos)
            return false;
        out += meaning[k];
        return true;
    }

    // A string literal; its text goes to `out` unless that is null.
    bool String(std::string* out) {
        if (!Take('"'))
            return false;
        std::string text;
        while (FPos < FText.size() && FText[FPos] != '"') {
            const char c = FText[FPos++];
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\')
                text += c;
            else if (!Escape(text))
                return false;
        }
        if (!Take('"'))
            return false;
        if (out)
            *out = std::move(text);
        return true;
    }

    std::string_view FText;
    std::size_t FPos = 0;
};

} // namespace

std::optional<TJsonEntry> ReadJsonEntry(std::string_view line) {
    return TEntryParser(line).Entry();
}

} // namespace VelFormats
