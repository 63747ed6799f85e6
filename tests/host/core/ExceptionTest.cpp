// The host's exception: what() gives the whole message in UTF-8, never cut short at a NUL
// character, while Message() keeps the text as it was given.
#include "vel/host/Exception.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(HostException, WhatIsTheWholeMessageWithNulsWritten) {
    struct TCase {
        Host::String Message;
        std::string What;
    };
    const TCase cases[] = {
        {u"plain", "plain"},        {u"caf\u00e9", "caf\xc3\xa9"}, {u"a\0b"s, "a\\0b"},
        {u"\0\0end"s, "\\0\\0end"}, {u"ends\0"s, "ends\\0"},
    };
    for (const TCase& c : cases) {
        const Host::Exception error(c.Message);
        EXPECT_EQ(std::string(error.what()), c.What);
        EXPECT_EQ(error.Message(), c.Message);
    }
}

} // namespace
