#include "vel/VelSymbol.h"

#include "Check.h"
#include "Conversions.h"
#include "vel/Names.h"
#include "vel/TVel.h"
#include "vel/ZBarEntries.h"

namespace Vel {

TVelSymbol::TVelSymbol(const TVel* vel, const ZBar::zbar_symbol_t* handle)
    : FHandle(handle), FGeneration(CheckLoaded()), FVel(vel) {
    Check(handle != nullptr, TVelMessage::msSymbolIsNull);
}

int TVelSymbol::CacheCount() const {
    CheckLoadedAs(FGeneration);
    return zbar_symbol_get_count(FHandle);
}

std::vector<std::uint8_t> TVelSymbol::Data() const {
    const auto length = static_cast<std::size_t>(DataLength());
    if (length == 0)
        return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(zbar_symbol_get_data(FHandle));
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

std::string TVelSymbol::DataAnsi() const {
    const auto length = static_cast<std::size_t>(DataLength());
    if (length == 0)
        return {};
    return std::string(zbar_symbol_get_data(FHandle), length);
}

int TVelSymbol::DataLength() const {
    CheckLoadedAs(FGeneration);
    return static_cast<int>(zbar_symbol_get_data_length(FHandle));
}

int TVelSymbol::LocationCount() const {
    CheckLoadedAs(FGeneration);
    return static_cast<int>(zbar_symbol_get_loc_size(FHandle));
}

int TVelSymbol::LocationX(int index) const {
    CheckLoadedAs(FGeneration);
    return zbar_symbol_get_loc_x(FHandle, static_cast<unsigned>(index)) + OriginX();
}

int TVelSymbol::LocationY(int index) const {
    CheckLoadedAs(FGeneration);
    return zbar_symbol_get_loc_y(FHandle, static_cast<unsigned>(index)) + OriginY();
}

TVelModifiers TVelSymbol::Modifiers() const {
    CheckLoadedAs(FGeneration);
    return ModifiersFromMask(zbar_symbol_get_modifiers(FHandle));
}

TVelOrientation TVelSymbol::Orientation() const {
    CheckLoadedAs(FGeneration);
    return static_cast<TVelOrientation>(zbar_symbol_get_orientation(FHandle));
}

Host::String TVelSymbol::OrientationName() const {
    return Vel::OrientationName(Orientation());
}

int TVelSymbol::Quality() const {
    CheckLoadedAs(FGeneration);
    return zbar_symbol_get_quality(FHandle);
}

TVelSymbology TVelSymbol::Symbology() const {
    CheckLoadedAs(FGeneration);
    return SymbologyFromCode(zbar_symbol_get_type(FHandle));
}

Host::String TVelSymbol::SymbologyName() const {
    return Vel::SymbologyName(Symbology());
}

TVelSymbologyAddon TVelSymbol::SymbologyAddon() const {
    CheckLoadedAs(FGeneration);
    return AddonFromCode(zbar_symbol_get_type(FHandle));
}

Host::String TVelSymbol::SymbologyAddonName() const {
    return Vel::SymbologyAddonName(SymbologyAddon());
}

int TVelSymbol::OriginX() const noexcept {
    return FVel ? FVel->ScanLeft() : 0;
}

int TVelSymbol::OriginY() const noexcept {
    return FVel ? FVel->ScanTop() : 0;
}

} // namespace Vel
