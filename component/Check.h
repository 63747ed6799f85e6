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

// Raises "ZBar library is not loaded" unless the table's entries are resolved.
inline void CheckLoaded() {
    Check(LoadedLibrary(), TVelMessage::msLibraryNotLoaded);
}

// Raises unless the library that made an object is still the one loaded, so that no call
// goes through an empty entry or hands ZBar a handle of a freed library.
inline void CheckLoadedAs(TLibraryGeneration generation) {
    CheckLoaded();
    Check(generation == LibraryGeneration(), TVelMessage::msLibraryUnloaded);
}

// Whether an object of that generation may still be destroyed through the table.
inline bool LoadedAs(TLibraryGeneration generation) noexcept {
    return generation != 0 && generation == LibraryGeneration();
}

} // namespace Vel
