#include "BarcodeNames.h"

#include <vel/Names.h>

namespace VelFormats {

std::vector<std::string> ModifierNames(const Vel::TBarcode& barcode) {
    std::vector<std::string> names;
    for (const auto modifier : {Vel::TVelModifier::moGs1Reserved, Vel::TVelModifier::moAimReserved})
        if (barcode.Modifiers.Contains(modifier))
            names.push_back(Vel::Utf8::ModifierName(modifier));
    return names;
}

std::vector<std::string> ConfigNames(const Vel::TBarcode& barcode) {
    std::vector<std::string> names;
    for (const Vel::TVelConfig config : barcode.Configs)
        names.push_back(Vel::Utf8::ConfigName(config));
    return names;
}

std::string SpaceJoined(const std::vector<std::string>& names) {
    std::string joined;
    for (const auto& name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

} // namespace VelFormats
