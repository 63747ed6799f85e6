#include "Conversions.h"

namespace Vel {

ZBar::zbar_symbol_type_t SymbolTypeCode(TVelSymbology symbology, TVelSymbologyAddon addon) {
    unsigned code = static_cast<std::uint8_t>(symbology);
    if (addon == TVelSymbologyAddon::sa2Digit)
        code |= ZBar::ZBAR_ADDON2;
    else if (addon == TVelSymbologyAddon::sa5Digit)
        code |= ZBar::ZBAR_ADDON5;
    return static_cast<ZBar::zbar_symbol_type_t>(code);
}

TVelSymbology SymbologyFromCode(ZBar::zbar_symbol_type_t code) {
    return static_cast<TVelSymbology>(code & ZBar::ZBAR_SYMBOL);
}

TVelSymbologyAddon AddonFromCode(ZBar::zbar_symbol_type_t code) {
    switch (code & ZBar::ZBAR_ADDON) {
    case ZBar::ZBAR_ADDON2:
        return TVelSymbologyAddon::sa2Digit;
    case ZBar::ZBAR_ADDON5:
        return TVelSymbologyAddon::sa5Digit;
    default:
        return TVelSymbologyAddon::saNone;
    }
}

TVelModifiers ModifiersFromMask(unsigned mask) {
    TVelModifiers modifiers;
    if ((mask & (1u << ZBar::ZBAR_MOD_GS1)) != 0)
        modifiers.Include(TVelModifier::moGs1Reserved);
    if ((mask & (1u << ZBar::ZBAR_MOD_AIM)) != 0)
        modifiers.Include(TVelModifier::moAimReserved);
    return modifiers;
}

std::vector<TVelConfig> ConfigsFromMask(unsigned mask) {
    std::vector<TVelConfig> configs;
    for (const TVelConfig config : {TVelConfig::coAddCheck, TVelConfig::coEmitCheck,
                                    TVelConfig::coAscii, TVelConfig::coBinary})
        if ((mask & (1u << static_cast<unsigned>(config))) != 0)
            configs.push_back(config);
    return configs;
}

} // namespace Vel
