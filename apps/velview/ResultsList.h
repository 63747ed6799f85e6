// TResultsList: the barcodes found, one row each: symbology, text, page and the reader's pass.
// A row carries the number the window knows its barcode by.
#pragma once

#include "vel/qt/QtBarcode.h"

#include <QTreeWidget>

class TResultsList : public QTreeWidget {
    Q_OBJECT

public:
    enum TColumn { colSymbology, colText, colPage, colPass };

    explicit TResultsList(QWidget* parent = nullptr);

    void Add(int number, const VelQt::TQtBarcode& barcode);
    // The number of the selected row's barcode, -1 without one.
    int SelectedNumber() const;
    // Selects the row of the barcode without telling the window again.
    void SelectNumber(int number);

signals:
    // The row of the barcode was chosen (clicked, or reached with the keys).
    void BarcodeChosen(int number);
    void CopyRequested();
};
