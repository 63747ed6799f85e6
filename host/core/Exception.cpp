#include "vel/host/Exception.h"

#include <utility>

namespace Host {

namespace {

// The message in UTF-8 with each NUL character written \0, so that what(), a C string, is
// never cut short at one (a file name made of a picture's bytes holds many).
AnsiString WhatText(const String& message) {
    AnsiString text = ToAnsi(message);
    for (auto at = text.find('\0'); at != AnsiString::npos; at = text.find('\0', at + 2))
        text.replace(at, 1, "\\0");
    return text;
}

} // namespace

Exception::Exception(String message) : FMessage(std::move(message)), FWhat(WhatText(FMessage)) {}

} // namespace Host
