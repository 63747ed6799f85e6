#include "PictureView.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int OutlineWidth = 3;
// A drag shorter than this, in widget pixels, is a click.
constexpr int ClickSlack = 4;
constexpr int MinLabelWidth = 160; // pixels

} // namespace

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setObjectName("picture");
    setMouseTracking(false);
    setCursor(Qt::CrossCursor);
}

void TPictureView::SetImage(const QImage& image) {
    FImage = image;
    FDragStart.reset();
    SetZoom(FZoom);
}

void TPictureView::SetZoom(double zoom) {
    FZoom = std::clamp(zoom, 0.02, 32.0);
    resize(static_cast<int>(std::ceil(FImage.width() * FZoom)),
           static_cast<int>(std::ceil(FImage.height() * FZoom)));
    update();
}

void TPictureView::ClearBarcodes() {
    FBarcodes.clear();
    FSelected = -1;
    update();
}

void TPictureView::AddBarcode(int number, const VelQt::TQtBarcode& barcode) {
    FBarcodes.append({number, barcode});
    update();
}

void TPictureView::Select(int number) {
    FSelected = number;
    update();
}

void TPictureView::SetScanRect(const QRect& rect) {
    FScanRect = rect;
    update();
}

QPoint TPictureView::ToWidget(const QPoint& picturePoint) const {
    return {static_cast<int>(std::lround((picturePoint.x() + 0.5) * FZoom - 0.5)),
            static_cast<int>(std::lround((picturePoint.y() + 0.5) * FZoom - 0.5))};
}

QPoint TPictureView::ToPicture(const QPoint& widgetPoint) const {
    const int x = static_cast<int>(std::floor(widgetPoint.x() / FZoom));
    const int y = static_cast<int>(std::floor(widgetPoint.y() / FZoom));
    return {std::clamp(x, 0, std::max(FImage.width(), 1)),
            std::clamp(y, 0, std::max(FImage.height(), 1))};
}

QRect TPictureView::DragRect() const {
    return QRect(*FDragStart, FDragEnd).normalized() & FImage.rect();
}

void TPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    if (FImage.isNull())
        return;
    painter.save();
    painter.scale(FZoom, FZoom);
    painter.drawImage(0, 0, FImage);
    painter.restore();
    DrawScanRect(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TShownBarcode& shown : FBarcodes)
        if (shown.Number != FSelected)
            DrawBarcode(painter, shown);
    for (const TShownBarcode& shown : FBarcodes)
        if (shown.Number == FSelected)
            DrawBarcode(painter, shown);
}

// Dims the picture outside the scan rectangle and frames it; frames a rectangle being drawn.
void TPictureView::DrawScanRect(QPainter& painter) const {
    const QRect shown = FDragStart ? DragRect() : FScanRect;
    if (shown.isEmpty())
        return;
    const QRectF area(shown.x() * FZoom, shown.y() * FZoom, shown.width() * FZoom,
                      shown.height() * FZoom);
    QPainterPath outside;
    outside.addRect(QRectF(0, 0, FImage.width() * FZoom, FImage.height() * FZoom));
    outside.addRect(area);
    painter.fillPath(outside, QColor(0, 0, 0, 70));
    painter.setPen(QPen(QColor(30, 90, 230), 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
}

void TPictureView::DrawBarcode(QPainter& painter, const TShownBarcode& shown) const {
    const QColor colour = shown.Number == FSelected ? SelectedColour : OutlineColour;
    QPolygon outline;
    // A linear code's outline is every place one of ZBar's scan lines crossed it: its hull
    // is the code's shape.
    for (const Vel::TPoint& point : shown.Barcode.Barcode.Hull())
        outline.append(ToWidget(QPoint(point.X, point.Y)));
    painter.setPen(QPen(colour, OutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    if (outline.size() == 1)
        painter.drawPoint(outline[0]);
    else
        painter.drawPolygon(outline);
    DrawLabel(painter, shown, colour);
}

// The symbology and the start of the text, as wide as the outline (at least MinLabelWidth), on
// the outline's colour above its top left corner (below where there is no room above).
void TPictureView::DrawLabel(QPainter& painter, const TShownBarcode& shown,
                             const QColor& colour) const {
    const QFontMetrics metrics(painter.font());
    const QRect bounds = shown.Barcode.Outline.boundingRect();
    const QPoint topLeft = ToWidget(bounds.topLeft());
    const int room = std::max(ToWidget(bounds.topRight()).x() - topLeft.x(), MinLabelWidth);
    const QString text = metrics.elidedText(shown.Barcode.Symbology + ": " + shown.Barcode.Text,
                                            Qt::ElideRight, room - 8);
    QRect box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    box.moveBottomLeft(QPoint(topLeft.x(), topLeft.y() - OutlineWidth));
    if (box.top() < 0)
        box.moveTop(ToWidget(bounds.bottomLeft()).y() + OutlineWidth + 1);
    if (box.right() >= width())
        box.moveRight(std::max(width() - 1, box.width() - 1));
    painter.fillRect(box, colour);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

void TPictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || FImage.isNull())
        return;
    FDragStart = ToPicture(event->position().toPoint());
    FDragEnd = *FDragStart;
}

void TPictureView::mouseMoveEvent(QMouseEvent* event) {
    if (!FDragStart)
        return;
    FDragEnd = ToPicture(event->position().toPoint());
    update();
}

void TPictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !FDragStart)
        return;
    FDragEnd = ToPicture(event->position().toPoint());
    const QRect drawn = DragRect();
    const QPoint click = *FDragStart;
    FDragStart.reset();
    update();
    if (drawn.width() * FZoom > ClickSlack && drawn.height() * FZoom > ClickSlack) {
        emit ScanRectDrawn(drawn);
        return;
    }
    for (const TShownBarcode& shown : FBarcodes)
        if (shown.Barcode.Outline.boundingRect().adjusted(-2, -2, 2, 2).contains(click)) {
            emit BarcodeClicked(shown.Number);
            return;
        }
}

void TPictureView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    emit ZoomWheel(event->angleDelta().y() > 0 ? 1 : -1);
}
