// Published property values as the object inspector shows them, and values typed by a
// person turned into property values.
#pragma once

#include "vel/host/ClassRegistry.h"
#include "vel/host/Component.h"

#include <string>

namespace VelDesign {

// The value of the property of the component as text: numbers, True/False, strings as they
// are, the picture's kind and size or (None), a handler's name or (none).
std::string PropertyText(const Host::TComponent& component, const Host::TPropertyInfo& property);

// Whether the designer cannot set the property: a form never stores it (About), so nothing of
// a value would be saved. Name is the exception, held in each object's header.
bool IsReadOnly(const Host::TPropertyInfo& property);

// Sets the property from text: a number, True or False, a string, a handler name declared
// on root (empty: none), or for a picture a file to load (empty: no picture). Raises a host
// exception naming the value at fault.
void SetPropertyText(Host::TComponent& component, const Host::TPropertyInfo& property,
                     Host::TComponent& root, const std::string& text);

} // namespace VelDesign
