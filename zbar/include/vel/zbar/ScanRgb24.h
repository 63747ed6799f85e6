// One step of the linear scanner for an RGB pixel.
#pragma once

#include "vel/host/Export.h"
#include "vel/zbar/Enums.h"
#include "vel/zbar/Types.h"

namespace ZBar {

// Hands the plain sum of the three bytes at rgb (0 to 765) to zbar_scan_y and returns its
// result.
VEL_API zbar_symbol_type_t zbar_scan_rgb24(zbar_scanner_t* scanner, const unsigned char* rgb);

} // namespace ZBar
