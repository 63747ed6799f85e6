#include "vel/zbar/ScanRgb24.h"

#include "vel/Loader.h"
#include "vel/ZBarEntries.h"

namespace ZBar {

zbar_symbol_type_t zbar_scan_rgb24(zbar_scanner_t* scanner, const unsigned char* rgb) {
    Vel::CheckLoaded();
    return Vel::zbar_scan_y(scanner, rgb[0] + rgb[1] + rgb[2]);
}

} // namespace ZBar
