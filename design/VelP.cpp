// The design package: the entry point through which the designer runs the registration of
// its units once, when it loads the package.
#include "VelE.h"

extern "C" __attribute__((visibility("default"))) void HostPackageRegister() {
    VelE::Register();
}
