// EVelError: the one exception class of the component unit.
#pragma once

#include "vel/host/Exception.h"

namespace Vel {

class EVelError : public Host::Exception {
public:
    using Host::Exception::Exception;
};

} // namespace Vel
