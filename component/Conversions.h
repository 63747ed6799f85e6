// Conversions between the component's enumerations and ZBar's codes.
#pragma once

#include "vel/Enumerations.h"
#include "vel/zbar/Enums.h"

#include <vector>

namespace Vel {

// The symbology's code with the add-on's bits (0x0200 or 0x0500); no other bits set.
ZBar::zbar_symbol_type_t SymbolTypeCode(TVelSymbology symbology, TVelSymbologyAddon addon);

// The low 8 bits of a symbol type code.
TVelSymbology SymbologyFromCode(ZBar::zbar_symbol_type_t code);

// The add-on bits of a symbol type code: exactly 0x0200 or 0x0500, anything else saNone.
TVelSymbologyAddon AddonFromCode(ZBar::zbar_symbol_type_t code);

// Bit 0 of ZBar's modifier mask is moGs1Reserved, bit 1 moAimReserved; other bits are dropped.
TVelModifiers ModifiersFromMask(unsigned mask);
// The settings of a symbol's configuration mask (bit N: ZBar's setting N), in code order,
// but coEnable, which every symbol found has.
std::vector<TVelConfig> ConfigsFromMask(unsigned mask);

} // namespace Vel
