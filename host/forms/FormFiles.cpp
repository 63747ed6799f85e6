#include "vel/host/WholeFile.h"

#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <system_error>

namespace Host {

namespace {

// The file's name in quotes and the system's reason, as the messages end.
String FileAndReason(const String& fileName, const std::system_error& error) {
    return u"\"" + fileName + u"\": " + FromAnsi(error.code().message());
}

AnsiString ReadText(const String& fileName) {
    try {
        return ReadWholeFile(ToAnsi(fileName));
    } catch (const std::system_error& e) {
        throw EFOpenError(u"Cannot open form file " + FileAndReason(fileName, e));
    }
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
    try {
        ReplaceWholeFile(ToAnsi(fileName), text);
    } catch (const std::system_error& e) {
        throw EFCreateError(u"Cannot write form file " + FileAndReason(fileName, e));
    }
}

} // namespace Host
