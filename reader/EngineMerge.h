// The results of two engines as one list: each symbol once, and each EAN/UPC code with the
// add-on the engines agree on.
#pragma once

#include "ReadBarcode.h"

#include <vector>

namespace Vel {

// first's barcodes, then second's that first does not already hold (same symbology, add-on
// and data). Then, among the readings of one EAN/UPC main code: where one has an add-on,
// those without give way to it; where two give different add-ons, the readings are
// replaced by the main code alone, in the place of the first of them.
std::vector<TReadBarcode> MergeEngines(std::vector<TReadBarcode> first,
                                       const std::vector<TReadBarcode>& second);

} // namespace Vel
