// Checks the text conversions on arbitrary bytes: 8-bit text survives the trip through
// UTF-16 byte for byte, the UTF-16 it gives is stable, and ToUtf8 of any UTF-16 (the bytes
// taken as code units) is well-formed UTF-8.
#include "vel/host/String.h"
#include "vel/host/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Host::String wide = Host::FromAnsi(bytes);
    const Host::AnsiString back = Host::ToAnsi(wide);
    if (back != bytes || Host::FromAnsi(back) != wide)
        std::abort();
    Host::String units(size / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    if (!Host::IsValidUtf8(Host::ToUtf8(units)))
        std::abort();
    return 0;
}
