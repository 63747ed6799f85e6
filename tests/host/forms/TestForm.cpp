#include "TestForm.h"

namespace VelTest {

namespace {

Host::TClassInfo MakeTestFormClass() {
    Host::TClassInfo info(u"TTestForm", typeid(TTestForm), &Host::ComponentClass());
    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {
        return new TTestForm(owner);
    };
    info.Methods = {Host::PublishedMethod(u"Vel1BarcodeDetected", &TTestForm::Vel1BarcodeDetected)};
    return info;
}

const Host::TClassRegistration Registration(MakeTestFormClass());

} // namespace

const Host::TClassInfo& TestFormClass() {
    return Registration.Info();
}

} // namespace VelTest
