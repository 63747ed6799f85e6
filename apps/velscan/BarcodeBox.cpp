#include "BarcodeBox.h"

#include <vel/Barcode.h>

namespace VelScan {

Vel::TRect BoundingBox(const TFoundBarcode& barcode) {
    Vel::TBarcode outlined;
    for (const TPoint& point : barcode.Outline)
        outlined.Outline.push_back({point.X, point.Y});
    return outlined.BoundingBox();
}

} // namespace VelScan
