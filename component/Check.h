// The check helper: raises EVelError with the message when the condition is false.
#pragma once

#include "Messages.h"
#include "vel/Loader.h"
#include "vel/VelError.h"

namespace Vel {

inline void Check(bool condition, const Host::String& message) {
    if (!condition)
        throw EVelError(message);
}

inline void Check(bool condition, TVelMessage message) {
    if (!condition)
        throw EVelError(MessageText(message));
}

} // namespace Vel
