// TPictureView: a page shown at a zoom, the outline of each barcode found on it with a label,
// the selected one marked, and the scan rectangle; a rectangle drawn with the mouse becomes
// the new scan rectangle, a click on an outline selects its barcode.
#pragma once

#include "vel/qt/QtBarcode.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>

class TPictureView : public QWidget {
    Q_OBJECT

public:
    // The colours outlines are drawn in, plain and selected.
    static constexpr QColor OutlineColour{0, 190, 0};
    static constexpr QColor SelectedColour{255, 128, 0};

    explicit TPictureView(QWidget* parent = nullptr);

    const QImage& Image() const noexcept { return FImage; }
    void SetImage(const QImage& image);

    double Zoom() const noexcept { return FZoom; }
    void SetZoom(double zoom);

    // The barcodes drawn, each with the number the window knows it by.
    void ClearBarcodes();
    void AddBarcode(int number, const VelQt::TQtBarcode& barcode);
    // Marks the barcode of that number; -1 marks none.
    void Select(int number);

    // The scan rectangle in picture pixels, already cut to the picture; an empty one draws none.
    void SetScanRect(const QRect& rect);

    // Where a picture pixel lies in the widget, for a point of the outline.
    QPoint ToWidget(const QPoint& picturePoint) const;

signals:
    // A rectangle drawn with the mouse, in picture pixels, cut to the picture.
    void ScanRectDrawn(const QRect& rect);
    void BarcodeClicked(int number);
    // Ctrl + wheel: zoom in (steps > 0) or out.
    void ZoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct TShownBarcode {
        int Number;
        VelQt::TQtBarcode Barcode;
    };

    QPoint ToPicture(const QPoint& widgetPoint) const;
    QRect DragRect() const;
    void DrawScanRect(QPainter& painter) const;
    void DrawBarcode(QPainter& painter, const TShownBarcode& shown) const;
    void DrawLabel(QPainter& painter, const TShownBarcode& shown, const QColor& colour) const;

    QImage FImage;
    double FZoom = 1.0;
    QList<TShownBarcode> FBarcodes;
    int FSelected = -1;
    QRect FScanRect;
    std::optional<QPoint> FDragStart; // picture pixels, while a rectangle is drawn
    QPoint FDragEnd;
};
