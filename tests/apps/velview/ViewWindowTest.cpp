// velview's window driven by Qt Test on the offscreen platform, with the real libzbar: a
// sample opened lists its barcodes, a rectangle drawn with the mouse limits the scan through
// the component, pages of a document are read and shown, a long document is cancelled, and
// errors (a bad file, ZBar missing, a form that cannot be saved) show the library's message.
#include "ViewWindow.h"
#include "Codecs.h"
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "vel/Loader.h"
#include "vel/ReadBarcodes.h"
#include "vel/host/Exception.h"

#include <QClipboard>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <zint.h>

#include <fstream>
#include <string>

namespace {

const QString Qr = QString::fromUtf8("Grüße from Vel: https://example.org/vel?a=1&b=2");

QString Sample(const char* name) {
    return QString(VEL_SAMPLES_DIR) + "/" + name;
}

QStringList Texts(const TViewWindow& window) {
    QStringList texts;
    for (const VelQt::TQtBarcode& barcode : window.Barcodes())
        texts.append(barcode.Text + "@" + QString::number(barcode.Page));
    return texts;
}

// Waits for the read in progress to end.
bool WaitForRead(TViewWindow& window) {
    return QTest::qWaitFor([&] { return !window.Reading(); }, 30000);
}

// A form with Vel1 activated, as velview ships it.
const char* const ShippedForm = "object ViewForm: TViewForm\n"
                                "  object Vel1: TVel\n"
                                "    Active = True\n"
                                "  end\n"
                                "end\n";

} // namespace

class TViewWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    QString Form(const char* text = ShippedForm) {
        const QString file = FDir.filePath("view.vfm");
        std::ofstream(file.toStdString()) << text;
        return file;
    }

    // A PDF of count pages, page p holding a Code 128 of "page p".
    QString Document(int count) {
        std::vector<Support::TGrayImage> pages;
        for (int page = 1; page <= count; ++page)
            pages.push_back(
                Support::RenderBarcode(BARCODE_CODE128, "page " + std::to_string(page), 2, 30));
        const QString file = FDir.filePath(QString("pages%1.pdf").arg(count));
        std::ofstream(file.toStdString(), std::ios::binary) << Support::MakePdfPages(pages, 150);
        return file;
    }

    // Opens the file and waits for its read and its first page.
    void OpenAndWait(TViewWindow& window, const QString& file) {
        QSignalSpy shown(&window, &TViewWindow::PageShown);
        window.Open(file);
        QVERIFY(WaitForRead(window));
        QVERIFY(shown.count() > 0 || shown.wait(20000));
    }

    void Drag(TViewWindow& window, QPoint from, QPoint to) {
        TPictureView& picture = window.Picture();
        QTest::mousePress(&picture, Qt::LeftButton, {}, picture.ToWidget(from));
        QMouseEvent move(QEvent::MouseMove, picture.ToWidget(to),
                         picture.mapToGlobal(picture.ToWidget(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&picture, &move);
        QTest::mouseRelease(&picture, Qt::LeftButton, {}, picture.ToWidget(to));
    }

private slots:
    void SampleListsItsBarcodes() {
        TViewWindow window(Form(), {});
        OpenAndWait(window, Sample("multi.png"));
        QCOMPARE(Texts(window), QStringList({Qr + "@1", "1234567895@1"}));
        const auto* results = window.findChild<QTreeWidget*>("results");
        QCOMPARE(results->topLevelItemCount(), 2);
        QCOMPARE(results->topLevelItem(0)->text(TResultsList::colSymbology), "QR-Code");
        QCOMPARE(results->topLevelItem(1)->text(TResultsList::colSymbology), "I2/5");
        QCOMPARE(results->topLevelItem(1)->text(TResultsList::colText), "1234567895");
        QCOMPARE(results->topLevelItem(1)->text(TResultsList::colPage), "1");
        QCOMPARE(results->topLevelItem(1)->text(TResultsList::colPass), "default");
        QCOMPARE(window.Picture().Image().size(), QSize(698, 232));
        QVERIFY(window.Message().isEmpty());
    }

    // The rectangle goes into the component's scan values; the read then finds the QR code
    // alone, outlined where it is in the whole picture.
    void DrawnRectangleLimitsTheScan() {
        TViewWindow window(Form(), {});
        OpenAndWait(window, Sample("multi.png"));
        window.Picture().SetZoom(1.0);
        Drag(window, {470, 5}, {697, 231});
        QVERIFY(WaitForRead(window));
        const Vel::TVel& vel = window.Form().Vel1();
        QCOMPARE(QRect(vel.ScanLeft(), vel.ScanTop(), vel.ScanWidth(), vel.ScanHeight()),
                 QRect(470, 5, 228, 227));
        QCOMPARE(Texts(window), QStringList({Qr + "@1"}));
        QVERIFY(window.Barcodes()[0].Outline.boundingRect().left() >= 470);

        window.SetScanRect({});
        QVERIFY(WaitForRead(window));
        QCOMPARE(window.Barcodes().size(), 2);
    }

    void BadFileShowsTheLibrarysMessage() {
        const QString file = FDir.filePath("broken.jpg");
        std::ofstream(file.toStdString()) << "\xff\xd8\xff not really";
        std::string expected;
        try {
            Vel::ReadBarcodes(file.toStdString());
        } catch (const Host::Exception& error) {
            expected = error.what();
        }
        QVERIFY(!expected.empty());
        TViewWindow window(Form(), {});
        window.Open(file);
        QVERIFY(WaitForRead(window));
        QCOMPARE(window.Message(), QString::fromStdString(expected));
        QVERIFY(window.Barcodes().isEmpty());

        window.Open(Sample("ean13.png"));
        QVERIFY(WaitForRead(window));
        QVERIFY(window.Message().isEmpty());
    }

    void MissingZBarIsShown() {
        Vel::UnloadLibrary();
        Vel::ZBarLibraryName = u"libzbar-missing.so.0";
        TViewWindow window(Form(), {});
        const QString atStart = window.Message();
        window.Open(Sample("ean13.png"));
        const bool read = WaitForRead(window);
        const QString afterRead = window.Message();
        Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
        QVERIFY(read);
        QVERIFY2(atStart.startsWith("libzbar-missing.so.0: cannot open shared object file"),
                 qPrintable(atStart));
        QVERIFY2(afterRead.startsWith("libzbar-missing.so.0: cannot open shared object file"),
                 qPrintable(afterRead));
        QVERIFY(!window.Form().Vel1().Active());
    }

    void ChosenRowSelectsItsOutlineAndCopiesItsText() {
        TViewWindow window(Form(), {});
        OpenAndWait(window, Sample("multi.png"));
        auto* results = window.findChild<QTreeWidget*>("results");
        results->setCurrentItem(results->topLevelItem(1));
        QCOMPARE(window.findChild<TResultsList*>("results")->SelectedNumber(), 1);
        for (QAction* action : window.menuBar()->findChildren<QAction*>())
            if (action->text() == "&Copy text")
                action->trigger();
        QCOMPARE(QApplication::clipboard()->text(), "1234567895");
    }

    void EffortFromTheMenuReadsAgain() {
        TViewWindow window(Form(), {});
        OpenAndWait(window, Sample("ean8-label.jpg"));
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == "&Thorough")
                action->trigger();
        QCOMPARE(window.Effort(), Vel::TVelEffort::efThorough);
        QVERIFY(WaitForRead(window));
        QCOMPARE(Texts(window), QStringList({"96385074@1"}));
    }

    void PagesOfADocumentAreReadAndShown() {
        if (!Support::ReadsPdf)
            QSKIP(Support::NoPdf);
        TViewWindow window(Form(), {});
        OpenAndWait(window, Document(3));
        QCOMPARE(Texts(window), QStringList({"page 1@1", "page 2@2", "page 3@3"}));
        const auto* pageBox = window.findChild<QSpinBox*>("page");
        QCOMPARE(pageBox->maximum(), 3);
        QSignalSpy shown(&window, &TViewWindow::PageShown);
        window.findChild<TResultsList*>("results")->setCurrentItem(
            window.findChild<QTreeWidget*>("results")->topLevelItem(2));
        QVERIFY(shown.wait(20000));
        QCOMPARE(window.Page(), 3);
        QCOMPARE(pageBox->value(), 3);
        QVERIFY(!window.Picture().Image().isNull());
    }

    // Cancel stops a long document: the read ends at once and no later page is reported.
    void LongDocumentIsCancelled() {
        if (!Support::ReadsPdf)
            QSKIP(Support::NoPdf);
        TViewWindow window(Form(), {});
        QSignalSpy finished(&window, &TViewWindow::ReadFinished);
        window.Open(Document(40));
        QVERIFY(QTest::qWaitFor([&] { return window.Barcodes().size() >= 2; }, 30000));
        auto* cancel = window.findChild<QPushButton*>("cancel");
        QVERIFY(!cancel->isHidden());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!window.Reading());
        const auto found = window.Barcodes().size();
        QTest::qWait(500);
        QCOMPARE(window.Barcodes().size(), found);
        QVERIFY(found < 40);
    }

    // The scan rectangle drawn is saved in the form, which a new window reads back.
    void SettingsAreSavedToTheForm() {
        const QString form = Form();
        {
            TViewWindow window(form, {});
            window.Open(Sample("multi.png"));
            window.SetScanRect({470, 0, 228, 232});
            QVERIFY(WaitForRead(window));
            window.SaveForm();
            QVERIFY(window.Message().isEmpty());
        }
        QFile saved(form);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll());
        QVERIFY2(text.contains("ScanLeft = 470") && text.contains("ScanWidth = 228"),
                 qPrintable(text));
        TViewWindow again(form, {});
        QCOMPARE(again.Form().Vel1().ScanLeft(), 470);
    }

    void FormThatCannotBeSavedShowsWhy() {
        TViewWindow shipped({}, FDir.filePath("no such folder/view.vfm"));
        shipped.SaveForm();
        QVERIFY2(shipped.Message().contains("no such folder/view.vfm"),
                 qPrintable(shipped.Message()));
    }

    void FormThatCannotBeReadFallsBackToTheShippedOne() {
        TViewWindow window(Form("object ViewForm: TViewForm\n  Bogus = 1\nend\n"), {});
        QVERIFY2(window.Message().contains("Line 2"), qPrintable(window.Message()));
        OpenAndWait(window, Sample("ean13.png"));
        QCOMPARE(Texts(window), QStringList({"9780201379624@1"}));
    }

    void DroppedFileIsOpened() {
        TViewWindow window(Form(), {});
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Sample("code39.gif"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &drop);
        QVERIFY(WaitForRead(window));
        QCOMPARE(Texts(window), QStringList({"VEL-2026@1"}));
    }
};

QTEST_MAIN(TViewWindowTest)
#include "ViewWindowTest.moc"
