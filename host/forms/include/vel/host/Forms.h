// Stored forms: a root component and the components it owns, with their published
// properties, written to and read from the text form format (vel/host/FormText.h).
//
// Reading creates each component from the class registry with the root as owner, sets
// csLoading on it (and on the root) while its properties are read, and calls Loaded on
// every component, the root first, after the whole form is read. Event handlers are named
// by methods the root's class publishes. Writing holds the stored published properties in
// declared order, leaving out those never stored and those equal to their default.
#pragma once

#include "vel/host/Component.h"
#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <memory>
#include <string_view>

namespace Host {

// Reads the form into root, whose class must be the form's root class. Any error in the
// text raises EReadError naming the line; every component created by the read is destroyed
// then, and the root's loading state is cleared. An exception from a component's Loaded
// (after the whole form was read) passes through unchanged once every component has had
// its Loaded call; the components stay with the root.
VEL_API void ReadForm(std::string_view text, TComponent& root);

// Creates the root from the form's root class, with no owner, and reads the form into it.
VEL_API std::unique_ptr<TComponent> ReadForm(std::string_view text);

// The same from a file; errors name the file. EFOpenError, with the system's reason, when it
// cannot be read.
VEL_API void ReadFormFile(const String& fileName, TComponent& root);

// The form text of root and the components it owns. EWriteError when a class is not
// registered.
VEL_API AnsiString WriteForm(const TComponent& root);

// Writes the form to the file, replacing it only once the whole text is written and on the
// disk: a symbolic link is followed and its target edited; the file keeps its permissions
// and, where the process may set them, its owner. EFCreateError, with the system's reason,
// when it cannot be written; the file is then left as it was.
VEL_API void WriteFormFile(const String& fileName, const TComponent& root);

} // namespace Host
