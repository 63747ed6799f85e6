#include "BarcodeBox.h"

#include <vel/Barcode.h>

namespace VelScan {

namespace {

Vel::TBarcode Outlined(const TFoundBarcode& barcode) {
    Vel::TBarcode outlined;
    for (const TPoint& point : barcode.Outline)
        outlined.Outline.push_back({point.X, point.Y});
    return outlined;
}

} // namespace

Vel::TRect BoundingBox(const TFoundBarcode& barcode) {
    return Outlined(barcode).BoundingBox();
}

std::vector<TPoint> OutlineHull(const TFoundBarcode& barcode) {
    std::vector<TPoint> hull;
    for (const Vel::TPoint& point : Outlined(barcode).Hull())
        hull.push_back({point.X, point.Y});
    return hull;
}

} // namespace VelScan
