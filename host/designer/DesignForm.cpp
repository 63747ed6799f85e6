#include "vel/host/DesignForm.h"

#include "vel/host/Errors.h"
#include "vel/host/Identifier.h"

namespace Host {

namespace {

const String& CheckedClassName(const String& name) {
    if (!IsValidIdent(name))
        throw EComponentError(u"'" + name + u"' is not a valid class name");
    return name;
}

} // namespace

TDesignForm::TDesignForm(const String& className)
    : TComponent(nullptr),
      FClass(CheckedClassName(className), typeid(TDesignForm), &ComponentClass()) {
    FClass.PublishesAnyMethod = true;
    SetDesigning(true);
}

} // namespace Host
