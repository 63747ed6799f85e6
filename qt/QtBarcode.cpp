#include "vel/qt/QtBarcode.h"

namespace VelQt {

namespace {

QPolygon PolygonOf(const std::vector<Vel::TPoint>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Vel::TPoint& point : points)
        polygon.append(QPoint(point.X, point.Y));
    return polygon;
}

} // namespace

TQtBarcode ToQt(const Vel::TBarcode& barcode) {
    return {
        .Symbology = QString::fromStdString(barcode.SymbologyName + barcode.SymbologyAddonName),
        .Text = QString::fromStdString(barcode.Text()),
        .Data = QByteArray(barcode.Data.data(), static_cast<qsizetype>(barcode.Data.size())),
        .Outline = PolygonOf(barcode.Outline),
        .Page = barcode.Page,
        .Pass = QString::fromStdString(barcode.Pass),
        .Barcode = barcode,
    };
}

QList<TQtBarcode> ToQt(const std::vector<Vel::TBarcode>& barcodes) {
    QList<TQtBarcode> list;
    list.reserve(static_cast<qsizetype>(barcodes.size()));
    for (const Vel::TBarcode& barcode : barcodes)
        list.append(ToQt(barcode));
    return list;
}

} // namespace VelQt
