// The host's base exception: a message in the system's text type.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <exception>

namespace Host {

class VEL_API Exception : public std::exception {
public:
    explicit Exception(String message);

    const String& Message() const noexcept { return FMessage; }
    // The message in UTF-8, each NUL character written \0 so that the text is never cut
    // short at one.
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    String FMessage;
    AnsiString FWhat;
};

} // namespace Host
