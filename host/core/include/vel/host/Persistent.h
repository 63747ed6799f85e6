// Objects that can copy themselves from other objects with Assign.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Object.h"

namespace Host {

class VEL_API TPersistent : public TObject {
public:
    // Makes this object a copy of source. A class overrides it for the sources it knows and
    // calls this base version for the others, which asks source->AssignTo(this); when
    // neither side knows the other it raises EConvertError naming both classes.
    virtual void Assign(TPersistent* source);

protected:
    // Copies this object into dest, for destination classes that do not know this one.
    // The base version raises EConvertError.
    virtual void AssignTo(TPersistent* dest);

    // Raises EConvertError "Cannot assign a <source class> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

} // namespace Host
