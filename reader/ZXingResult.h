// A zxing-cpp result as the reader's barcode, in ZBar's conventions: UPC-A as an EAN-13 with
// a leading 0, UPC-E expanded (ExpandUpcE), an add-on joined as MergeAddons joins ZBar's,
// Codabar with its start and stop characters (as the engine is asked to give it), DataBar
// with its leading "01", DataBar Expanded as raw characters with GS separators (Gs1RawText),
// GS1 content with the modifier moGs1Reserved; the outline is the symbol's four corners.
#pragma once

#include "ReadBarcode.h"

#include <ZXing/Result.h>

#include <optional>

namespace Vel {

// Nothing for a result that is not valid or whose text does not fit its symbology.
std::optional<TReadBarcode> FromZXing(const ZXing::Result& result);

} // namespace Vel
