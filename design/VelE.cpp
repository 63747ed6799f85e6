#include "VelE.h"

#include "vel/VelClass.h"
#include "vel/host/RegisterComponents.h"

namespace VelE {

void Register() {
    Host::RegisterComponents(u"Halvane", {&Vel::TVelClass()});
}

} // namespace VelE
