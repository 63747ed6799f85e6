// The check helper: raises EVelError with the message when the condition is false.
#pragma once

#include "vel/VelError.h"

namespace Vel {

inline void Check(bool condition, const Host::String& message) {
    if (!condition)
        throw EVelError(message);
}

} // namespace Vel
