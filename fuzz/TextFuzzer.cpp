// Checks the text conversions on arbitrary bytes: 8-bit to UTF-16 and back is stable after
// the first repair of invalid sequences, and never crashes.
#include "vel/host/String.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Host::String wide = Host::FromAnsi(bytes);
    const Host::AnsiString repaired = Host::ToAnsi(wide);
    if (Host::FromAnsi(repaired) != wide)
        std::abort();
    return 0;
}
