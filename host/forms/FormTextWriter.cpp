#include "vel/host/FormText.h"

#include <string>

namespace Host {

namespace {

constexpr size_t BytesPerLine = 32;

class TFormTextWriter {
public:
    AnsiString Write(const TFormObject& root) {
        WriteObject(root, 0);
        return std::move(FOut);
    }

private:
    void Indent(int level) { FOut.append(static_cast<size_t>(level) * 2, ' '); }

    void WriteObject(const TFormObject& object, int level) {
        Indent(level);
        FOut += "object ";
        if (!object.Name.empty())
            FOut += ToAnsi(object.Name) + ": ";
        FOut += ToAnsi(object.ClassName) + "\n";
        for (const TFormProperty& property : object.Properties) {
            Indent(level + 1);
            FOut += ToAnsi(property.Name) + " = ";
            std::visit([&](const auto& value) { WriteValue(value, level + 1); }, property.Value);
            FOut += "\n";
        }
        for (const TFormObject& child : object.Children)
            WriteObject(child, level + 1);
        Indent(level);
        FOut += "end\n";
    }

    void WriteValue(int64_t value, int) { FOut += std::to_string(value); }

    void WriteValue(const TFormIdent& value, int) { FOut += ToAnsi(value.Name); }

    // Runs of printable characters go between quotes; control characters as #code.
    void WriteValue(const String& value, int) {
        if (value.empty()) {
            FOut += "''";
            return;
        }
        String run;
        for (const char16_t c : value) {
            if (c >= 0x20 && c != 0x7F) {
                run += c;
                continue;
            }
            WriteQuoted(run);
            FOut += "#" + std::to_string(static_cast<unsigned>(c));
        }
        WriteQuoted(run);
    }

    void WriteQuoted(String& run) {
        if (run.empty())
            return;
        FOut += '\'';
        for (const char c : ToAnsi(run))
            FOut += c == '\'' ? "''" : std::string(1, c);
        FOut += '\'';
        run.clear();
    }

    void WriteValue(const TFormBytes& bytes, int level) {
        static constexpr char Hex[] = "0123456789ABCDEF";
        FOut += "{";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % BytesPerLine == 0) {
                FOut += "\n";
                Indent(level + 1);
            }
            FOut += Hex[bytes[i] >> 4];
            FOut += Hex[bytes[i] & 0xF];
        }
        FOut += "}";
    }

    AnsiString FOut;
};

} // namespace

AnsiString FormatFormText(const TFormObject& root) {
    return TFormTextWriter().Write(root);
}

} // namespace Host
