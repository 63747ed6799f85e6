// Display names of symbologies, add-ons, modifiers, settings and orientations, as ZBar gives
// them
// (the symbologies ZBar has no code for: "DataMatrix", "Aztec", "MaxiCode", "MicroQR-Code").
// Each raises EVelError "ZBar library is not loaded" while no library is loaded.
#pragma once

#include "vel/Enumerations.h"
#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <string>

namespace Vel {

VEL_API Host::String SymbologyName(TVelSymbology symbology);
VEL_API Host::String SymbologyAddonName(TVelSymbologyAddon addon);
VEL_API Host::String ModifierName(TVelModifier modifier);
// ZBar's name of a decoder setting, as its symbol reports lists them: "EMIT_CHECK", ...
VEL_API Host::String ConfigName(TVelConfig config);
VEL_API Host::String OrientationName(TVelOrientation orientation);

// The same names in UTF-8, for streams and std::string:
//   std::cout << Vel::Utf8::SymbologyName(Vel::TVelSymbology::syEan13); // EAN-13
namespace Utf8 {
VEL_API std::string SymbologyName(TVelSymbology symbology);
VEL_API std::string SymbologyAddonName(TVelSymbologyAddon addon);
VEL_API std::string ModifierName(TVelModifier modifier);
VEL_API std::string ConfigName(TVelConfig config);
VEL_API std::string OrientationName(TVelOrientation orientation);
} // namespace Utf8

} // namespace Vel
