#include "vel/VelClass.h"

#include "vel/TVel.h"

namespace Vel {

namespace {

using Host::TStorage;

Host::TClassInfo MakeVelClass() {
    Host::TClassInfo info(u"TVel", typeid(TVel), &Host::ComponentClass());
    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {
        return new TVel(owner);
    };
    info.OwnProperties = {
        Host::StringProperty<TVel>(u"About", &TVel::About, &TVel::SetAbout, TStorage::Never()),
        Host::BooleanProperty<TVel>(u"Active", &TVel::Active, &TVel::SetActive,
                                    TStorage::DefaultIs(false)),
        Host::ObjectProperty<TVel>(u"Picture", &TVel::Picture),
        Host::IntegerProperty<TVel>(u"ScanLeft", &TVel::ScanLeft, &TVel::SetScanLeft,
                                    TStorage::DefaultIs(int64_t{0})),
        Host::IntegerProperty<TVel>(u"ScanHeight", &TVel::ScanHeight, &TVel::SetScanHeight,
                                    TStorage::DefaultIs(int64_t{0})),
        Host::IntegerProperty<TVel>(u"ScanTop", &TVel::ScanTop, &TVel::SetScanTop,
                                    TStorage::DefaultIs(int64_t{0})),
        Host::IntegerProperty<TVel>(u"ScanWidth", &TVel::ScanWidth, &TVel::SetScanWidth,
                                    TStorage::DefaultIs(int64_t{0})),
        Host::EventProperty<TVel>(u"OnBarcodeDetected", &TVel::OnBarcodeDetected,
                                  &TVel::SetOnBarcodeDetected),
    };
    info.ComponentPlatforms = Host::TComponentPlatformsAttribute{VelComponentPlatforms};
    return info;
}

} // namespace

const Host::TClassInfo& TVelClass() {
    static const Host::TClassRegistration registration(MakeVelClass());
    return registration.Info();
}

} // namespace Vel

// Registered from the start, so that forms find TVel by name. The symbol is named so that a
// program linked with the static library can ask for it (see CMakeLists.txt).
extern "C" const bool VelClassRegistered = (Vel::TVelClass(), true);
