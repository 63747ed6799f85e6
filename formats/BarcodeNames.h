// The names the output formats give a barcode's modifiers and decoder settings: ZBar's own
// ("GS1", "ADD_CHECK"), in the library's order.
#pragma once

#include <vel/Barcode.h>

#include <string>
#include <vector>

namespace VelFormats {

std::vector<std::string> ModifierNames(const Vel::TBarcode& barcode);
std::vector<std::string> ConfigNames(const Vel::TBarcode& barcode);

// Names joined by spaces, as XML attributes list them; empty for none.
std::string SpaceJoined(const std::vector<std::string>& names);

} // namespace VelFormats
