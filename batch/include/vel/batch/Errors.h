// The exceptions of the batch engine. Each failure has a type of its own, so that a caller
// tells them apart by type, never by message.
#pragma once

#include "vel/host/Export.h"

#include <stdexcept>
#include <string>

namespace VelBatch {

// A value given as text (a page list, a shard, a time, a byte count) that cannot be read.
// what() says what was expected; Text() is the value given.
class VEL_API EInvalidValue : public std::invalid_argument {
public:
    EInvalidValue(std::string text, const std::string& expected)
        : std::invalid_argument(expected), FText(std::move(text)) {}
    const std::string& Text() const noexcept { return FText; }

private:
    std::string FText;
};

// A configuration text that ZBar refuses; the message names the text.
class VEL_API EConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A picture (or page) refused for its size, above the pixel limit: a larger limit
// (TScanSettings::MaxPixels) would read it. A page's result tells it as ekPixelLimit.
class VEL_API EPixelLimit : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure of the run rather than of a picture (a worker process that cannot be started,
// ZBar that cannot be loaded): never a picture's result, which a resumed run would take as
// done; it stops the run.
class VEL_API ERunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace VelBatch
