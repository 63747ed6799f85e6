#include "vel/Names.h"

#include "Check.h"
#include "Conversions.h"
#include "vel/ZBarEntries.h"

namespace Vel {

namespace {

Host::String FromZBarText(const char* text) {
    return text != nullptr ? Host::FromAnsi(text) : Host::String();
}

} // namespace

Host::String SymbologyName(TVelSymbology symbology) {
    CheckLoaded();
    return FromZBarText(
        zbar_get_symbol_name(SymbolTypeCode(symbology, TVelSymbologyAddon::saNone)));
}

Host::String SymbologyAddonName(TVelSymbologyAddon addon) {
    CheckLoaded();
    return FromZBarText(zbar_get_addon_name(SymbolTypeCode(TVelSymbology::syNone, addon)));
}

Host::String ModifierName(TVelModifier modifier) {
    CheckLoaded();
    return FromZBarText(zbar_get_modifier_name(static_cast<ZBar::zbar_modifier_t>(modifier)));
}

Host::String OrientationName(TVelOrientation orientation) {
    CheckLoaded();
    return FromZBarText(
        zbar_get_orientation_name(static_cast<ZBar::zbar_orientation_t>(orientation)));
}

} // namespace Vel
