// EVelError: the one exception class of the component unit.
#pragma once

#include "vel/host/Exception.h"
#include "vel/host/Export.h"

namespace Vel {

class VEL_API EVelError : public Host::Exception {
public:
    using Host::Exception::Exception;
};

} // namespace Vel
