// EAN/UPC add-ons made part of their main code. With EAN-2 and EAN-5 enabled, ZBar reports
// an add-on as a symbol of its own beside the main code; the reader reports one barcode.
#pragma once

#include "ReadBarcode.h"

#include <vector>

namespace Vel {

// Whether the symbology is an EAN/UPC main code, one that may carry an add-on.
bool IsEanUpc(TVelSymbology symbology);

// Joins each EAN-2 or EAN-5 symbol to the EAN/UPC main code nearest to it: the main code's
// Data gets the add-on's digits appended, AddonData the add-on's digits and Addon its kind.
// An add-on without a main code is dropped: alone it is not a result. The order of the
// main codes and of the other symbols is kept.
void MergeAddons(std::vector<TReadBarcode>& barcodes);

} // namespace Vel
