// The component's fixed messages, by number.
#pragma once

#include "vel/host/String.h"

#include <cstdint>

namespace Vel {

enum class TVelMessage : std::uint16_t {
    msSymbolIsNull = 65520,
    msCantCreateImageScanner = 65521,
    msCantCreateImage = 65522,
    msConfigurationError = 65523,
    msScanError = 65524,
    msIncorrectIndex = 65525,
    msNoImageToScan = 65527,
};

// The text of a message.
Host::String MessageText(TVelMessage message);

} // namespace Vel
