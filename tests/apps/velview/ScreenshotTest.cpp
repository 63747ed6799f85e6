// velview on a real X display (Xvfb, started by the test command): the window shows
// multi.png, and a screenshot the display server takes holds the outline colour along both
// barcodes' outlines and the picture's own pixels inside them. The screenshot is kept as
// velview.png in the test's folder (docs/velview.png is a copy).
#include "ViewWindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

bool Near(QRgb pixel, const QColor& colour) {
    return std::abs(qRed(pixel) - colour.red()) <= 8 &&
           std::abs(qGreen(pixel) - colour.green()) <= 8 &&
           std::abs(qBlue(pixel) - colour.blue()) <= 8;
}

} // namespace

class TScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void OutlinesAreOnTheScreen() {
        QCOMPARE(QGuiApplication::platformName(), "xcb");
        TViewWindow window({}, {});
        window.resize(900, 380);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy shown(&window, &TViewWindow::PageShown);
        window.Open(QString(VEL_SAMPLES_DIR) + "/multi.png");
        QVERIFY(QTest::qWaitFor([&] { return !window.Reading(); }, 30000));
        QVERIFY(shown.count() > 0 || shown.wait(20000));
        QCOMPARE(window.Barcodes().size(), 2);
        QTest::qWait(300); // the display server draws what the window painted

        const QImage screen = window.screen()
                                  ->grabWindow(window.winId())
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32);
        QVERIFY(screen.save(QString(VEL_SCREENSHOT_FILE)));
        const TPictureView& picture = window.Picture();
        const auto onScreen = [&](const QPoint& picturePoint) {
            return screen.pixel(picture.mapTo(&window, picture.ToWidget(picturePoint)));
        };
        for (const VelQt::TQtBarcode& barcode : window.Barcodes()) {
            const QRect bounds = barcode.Outline.boundingRect();
            // The outline's extreme points lie on its hull, so the outline is drawn there.
            for (const QPoint& point : barcode.Outline)
                if (point.x() == bounds.left() || point.x() == bounds.right())
                    QVERIFY2(Near(onScreen(point), TPictureView::OutlineColour),
                             qPrintable(QString("%1 at %2,%3: %4")
                                            .arg(barcode.Symbology)
                                            .arg(point.x())
                                            .arg(point.y())
                                            .arg(onScreen(point), 8, 16)));
            QVERIFY(!Near(onScreen(bounds.center()), TPictureView::OutlineColour));
        }
        // Away from any barcode the picture is white.
        QCOMPARE(onScreen({5, 220}) & 0xFFFFFF, 0xFFFFFFu);
    }
};

QTEST_MAIN(TScreenshotTest)
#include "ScreenshotTest.moc"
