// TQtBarcode: a barcode the reader found, with the parts a Qt program shows as Qt values.
#pragma once

#include "vel/Barcode.h"
#include "vel/host/Export.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QPolygon>
#include <QString>

#include <vector>

namespace VelQt {

struct VEL_API TQtBarcode {
    // ZBar's name of the symbology with the add-on's appended ("EAN-13", "EAN-13+5").
    QString Symbology{};
    // The data as text: UTF-8 decoded, a byte of no well-formed sequence shown as U+FFFD.
    QString Text{};
    // The decoded bytes as ZBar gave them.
    QByteArray Data{};
    // The points around the barcode, in pixels of the whole picture.
    QPolygon Outline{};
    // The page of the picture it was found on, counting from 1.
    int Page = 0;
    // The reader's pass that found it ("default", "density3", ...).
    QString Pass{};
    // Everything the library reports, as it reports it.
    Vel::TBarcode Barcode{};
};

VEL_API TQtBarcode ToQt(const Vel::TBarcode& barcode);
VEL_API QList<TQtBarcode> ToQt(const std::vector<Vel::TBarcode>& barcodes);

} // namespace VelQt

Q_DECLARE_METATYPE(VelQt::TQtBarcode)
