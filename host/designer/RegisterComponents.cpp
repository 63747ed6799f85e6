#include "vel/host/RegisterComponents.h"

#include "vel/host/Errors.h"

namespace Host {

TRegisterComponentsProc& RegisterComponentsProc() {
    static TRegisterComponentsProc proc;
    return proc;
}

void RegisterComponents(const String& page, std::initializer_list<const TClassInfo*> classes) {
    if (!RegisterComponentsProc())
        throw EComponentError(u"RegisterComponents for page " + page +
                              u" called outside a designer's package registration");
    for (const TClassInfo* info : classes)
        if (info == nullptr || !info->Create || !info->InheritsFrom(ComponentClass()))
            throw EComponentError(u"Only component classes can be registered on page " + page);
    RegisterComponentsProc()(page, std::span(classes.begin(), classes.size()));
}

} // namespace Host
