// The form the designer edits: a designing root component whose class exists only as a
// name (TForm1). Handler names set on its components declare methods of that class, as a
// designer adds them to the form's source; in the designer they do nothing.
#pragma once

#include "vel/host/ClassRegistry.h"
#include "vel/host/Component.h"
#include "vel/host/Export.h"

namespace Host {

class VEL_API TDesignForm : public TComponent, public IRuntimeClass {
public:
    // EComponentError when the class name is not an identifier.
    explicit TDesignForm(const String& className);

    const TClassInfo& RuntimeClass() const override { return FClass; }

private:
    TClassInfo FClass;
};

} // namespace Host
