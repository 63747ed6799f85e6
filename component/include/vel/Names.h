// Display names of symbologies, add-ons, modifiers and orientations, as ZBar gives them.
// Each raises EVelError "ZBar library is not loaded" while no library is loaded.
#pragma once

#include "vel/Enumerations.h"
#include "vel/host/String.h"

namespace Vel {

Host::String SymbologyName(TVelSymbology symbology);
Host::String SymbologyAddonName(TVelSymbologyAddon addon);
Host::String ModifierName(TVelModifier modifier);
Host::String OrientationName(TVelOrientation orientation);

} // namespace Vel
