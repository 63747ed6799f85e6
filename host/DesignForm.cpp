#include "vel/host/DesignForm.h"

#include "vel/host/Errors.h"

namespace Host {

namespace {

bool IsIdentifier(const String& name) {
    const auto letter = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    };
    if (name.empty() || !letter(name[0]))
        return false;
    for (const char16_t c : name)
        if (!letter(c) && !(c >= u'0' && c <= u'9'))
            return false;
    return true;
}

const String& CheckedClassName(const String& name) {
    if (!IsIdentifier(name))
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
