#include "vel/host/Persistent.h"

#include "vel/host/Errors.h"

namespace Host {

void TPersistent::Assign(TPersistent* source) {
    if (source == nullptr)
        AssignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
    dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
    const String sourceName = source ? u"a " + source->ClassName() : u"nil";
    throw EConvertError(u"Cannot assign " + sourceName + u" to a " + ClassName());
}

} // namespace Host
