#include "vel/Names.h"

#include "Check.h"
#include "Conversions.h"
#include "vel/ZBarEntries.h"

namespace Vel {

namespace {

Host::String FromZBarText(const char* text) {
    return text != nullptr ? Host::FromAnsi(text) : Host::String();
}

// The names of the symbologies ZBar has no code for, in ZBar's manner of naming.
const char16_t* SecondEngineName(TVelSymbology symbology) {
    switch (symbology) {
    case TVelSymbology::syDataMatrix:
        return u"DataMatrix";
    case TVelSymbology::syAztec:
        return u"Aztec";
    case TVelSymbology::syMaxiCode:
        return u"MaxiCode";
    case TVelSymbology::syMicroQrCode:
        return u"MicroQR-Code";
    default:
        return nullptr;
    }
}

} // namespace

Host::String SymbologyName(TVelSymbology symbology) {
    CheckLoaded();
    if (const char16_t* name = SecondEngineName(symbology))
        return name;
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

Host::String ConfigName(TVelConfig config) {
    CheckLoaded();
    return FromZBarText(zbar_get_config_name(static_cast<ZBar::zbar_config_t>(config)));
}

Host::String OrientationName(TVelOrientation orientation) {
    CheckLoaded();
    return FromZBarText(
        zbar_get_orientation_name(static_cast<ZBar::zbar_orientation_t>(orientation)));
}

namespace Utf8 {

std::string SymbologyName(TVelSymbology symbology) {
    return Host::ToUtf8(Vel::SymbologyName(symbology));
}

std::string SymbologyAddonName(TVelSymbologyAddon addon) {
    return Host::ToUtf8(Vel::SymbologyAddonName(addon));
}

std::string ModifierName(TVelModifier modifier) {
    return Host::ToUtf8(Vel::ModifierName(modifier));
}

std::string ConfigName(TVelConfig config) {
    return Host::ToUtf8(Vel::ConfigName(config));
}

std::string OrientationName(TVelOrientation orientation) {
    return Host::ToUtf8(Vel::OrientationName(orientation));
}

} // namespace Utf8

} // namespace Vel
