// The root class of the host's object model, so that an event can pass any sender.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

namespace Host {

class VEL_API TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The name of the object's most derived class without its namespace, e.g. "TBitmap".
    String ClassName() const;
};

} // namespace Host
