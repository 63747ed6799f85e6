// The host's exception classes. Each message names the file or value at fault and why.
#pragma once

#include "vel/host/Exception.h"
#include "vel/host/Export.h"

namespace Host {

// A file cannot be opened for reading: missing, a directory, no permission.
class VEL_API EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A file cannot be created or written.
class VEL_API EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// Writing to a stream failed.
class VEL_API EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A picture cannot be read or made: unknown kind, truncated or corrupt data, a size above
// the pixel limit, or nothing to save.
class VEL_API EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A picture refused for its size: more pixels than the limit (Host::MaxPicturePixels), or
// more data than any picture within it can take. A larger limit would read it.
class VEL_API EPixelLimit : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

// An assignment between classes that cannot be converted into each other.
class VEL_API EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A stored form that cannot be read.
class VEL_API EReadError : public Exception {
public:
    using Exception::Exception;
};

// A component operation that is not allowed: a bad or duplicate name, an index out of range.
class VEL_API EComponentError : public Exception {
public:
    using Exception::Exception;
};

} // namespace Host
