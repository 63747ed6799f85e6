#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace Host {

namespace {

AnsiString ReadText(const String& fileName) {
    std::ifstream in(ToAnsi(fileName), std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf()) || in.bad())
        throw EFOpenError(u"Cannot open form file " + fileName);
    return text.str();
}

template <class Read> auto ReadNamed(const String& fileName, Read read) {
    const AnsiString text = ReadText(fileName);
    try {
        return read(text);
    } catch (const EReadError& e) {
        throw EReadError(fileName + u": " + e.Message());
    }
}

} // namespace

void ReadFormFile(const String& fileName, TComponent& root) {
    ReadNamed(fileName, [&](const AnsiString& text) { ReadForm(text, root); });
}

std::unique_ptr<TComponent> ReadFormFile(const String& fileName) {
    return ReadNamed(fileName, [](const AnsiString& text) { return ReadForm(text); });
}

void WriteFormFile(const String& fileName, const TComponent& root) {
    const AnsiString text = WriteForm(root);
    const AnsiString target = ToAnsi(fileName);
    const AnsiString temporary = target + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) ||
        !out.flush()) {
        std::remove(temporary.c_str());
        throw EFCreateError(u"Cannot write form file " + fileName);
    }
    out.close();
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw EFCreateError(u"Cannot write form file " + fileName);
    }
}

} // namespace Host
