// The host's exception classes. Each message names the file or value at fault and why.
#pragma once

#include "vel/host/Exception.h"

namespace Host {

// A file cannot be opened for reading: missing, a directory, no permission.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A file cannot be created or written.
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// Writing to a stream failed.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A picture cannot be read or made: unknown kind, truncated or corrupt data, a size above
// the pixel limit, or nothing to save.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An assignment between classes that cannot be converted into each other.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A stored form that cannot be read.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A component operation that is not allowed: a bad or duplicate name, an index out of range.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

} // namespace Host
