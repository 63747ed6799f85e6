// The background reader reads on a worker thread and reports on the thread it lives on: a
// signal per barcode and per page, the library's message on failure, one Finished per read;
// cancelled and superseded reads report nothing more.
#include "vel/qt/BackgroundReader.h"
#include "Codecs.h"
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "vel/Loader.h"
#include "vel/ReadBarcodes.h"
#include "vel/host/Exception.h"
#include "vel/qt/ImageReading.h"
#include "vel/qt/PageImage.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gmock/gmock.h>
#include <zint.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using VelQt::TBackgroundReader;
using VelQt::TQtBarcode;

QString Sample(const char* name) {
    return QString(VEL_SAMPLES_DIR) + "/" + name;
}

// What a reader reported, in order.
struct TReports {
    explicit TReports(TBackgroundReader& reader) {
        QObject::connect(&reader, &TBackgroundReader::BarcodeFound, [this](const TQtBarcode& b) {
            Barcodes.push_back(b.Text.toStdString() + "@" + std::to_string(b.Page));
            Threads.push_back(QThread::currentThread());
        });
        QObject::connect(&reader, &TBackgroundReader::PageRead, [this](int page, int count) {
            Pages.push_back(std::to_string(page) + "/" + std::to_string(count));
        });
        QObject::connect(&reader, &TBackgroundReader::Failed, [this](const QString& message) {
            Failures.push_back(message.toStdString());
        });
        QObject::connect(&reader, &TBackgroundReader::Finished,
                         [this](bool cancelled) { Ends.push_back(cancelled); });
    }

    // Waits until the reader has ended count reads, then a little longer for stray reports.
    bool WaitForEnds(std::size_t count) {
        const bool ended = QTest::qWaitFor([&] { return Ends.size() >= count; }, 20000);
        QTest::qWait(50);
        return ended;
    }

    std::vector<std::string> Barcodes;
    std::vector<QThread*> Threads;
    std::vector<std::string> Pages;
    std::vector<std::string> Failures;
    std::vector<bool> Ends;
};

class BackgroundReaderTest : public testing::Test {
protected:
    // A PDF of count pages, page p holding a Code 128 of "page p".
    QString Pages(int count) {
        std::vector<Support::TGrayImage> pages;
        for (int page = 1; page <= count; ++page)
            pages.push_back(
                Support::RenderBarcode(BARCODE_CODE128, "page " + std::to_string(page), 2, 20));
        const QString file = Dir.filePath("pages.pdf");
        std::ofstream(file.toStdString(), std::ios::binary) << Support::MakePdfPages(pages, 150);
        return file;
    }

    QTemporaryDir Dir;
    TBackgroundReader Reader;
    TReports Reports{Reader};
};

TEST_F(BackgroundReaderTest, EachBarcodeIsReportedOnTheReadersThread) {
    Reader.ReadFile(Sample("multi.png"), {});
    EXPECT_TRUE(Reader.Busy());
    ASSERT_TRUE(Reports.WaitForEnds(1));
    EXPECT_THAT(Reports.Barcodes,
                ElementsAre("Grüße from Vel: https://example.org/vel?a=1&b=2@1", "1234567895@1"));
    EXPECT_THAT(Reports.Threads, testing::Each(QThread::currentThread()));
    EXPECT_THAT(Reports.Pages, ElementsAre("1/1"));
    EXPECT_THAT(Reports.Ends, ElementsAre(false));
    EXPECT_TRUE(Reports.Failures.empty());
    EXPECT_FALSE(Reader.Busy());
}

TEST_F(BackgroundReaderTest, PagesAreReadInOrderOrAsChosen) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    const QString file = Pages(3);
    Reader.ReadFile(file, {});
    ASSERT_TRUE(Reports.WaitForEnds(1));
    EXPECT_THAT(Reports.Barcodes, ElementsAre("page 1@1", "page 2@2", "page 3@3"));
    EXPECT_THAT(Reports.Pages, ElementsAre("1/3", "2/3", "3/3"));

    Reader.ReadFile(file, Vel::TReadOptions().SetPages({3, 2}).SetResolution(100));
    ASSERT_TRUE(Reports.WaitForEnds(2));
    EXPECT_THAT(Reports.Barcodes,
                ElementsAre("page 1@1", "page 2@2", "page 3@3", "page 3@3", "page 2@2"));
}

TEST_F(BackgroundReaderTest, ResultsMatchTheOneCallReader) {
    const Vel::TReadOptions options =
        Vel::TReadOptions().SetEffort(Vel::TVelEffort::efThorough).SetScanRect({300, 0, 0, 0});
    const QImage image(Sample("multi.png"));
    std::vector<Vel::TBarcode> found;
    QObject::connect(&Reader, &TBackgroundReader::BarcodeFound,
                     [&](const TQtBarcode& barcode) { found.push_back(barcode.Barcode); });
    Reader.ReadImage(image, options);
    ASSERT_TRUE(Reports.WaitForEnds(1));
    Reader.ReadFile(Sample("multi.png"), options);
    ASSERT_TRUE(Reports.WaitForEnds(2));
    const std::vector<Vel::TBarcode> expected =
        Vel::ReadBarcodes(VelQt::FilePath(Sample("multi.png")), options);
    ASSERT_EQ(expected.size(), 1u);
    EXPECT_THAT(found, ElementsAre(expected[0], expected[0]));
}

TEST_F(BackgroundReaderTest, CancelEndsTheReadAtOnceAndReportsNothingMore) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    const QString file = Pages(12);
    QObject::connect(&Reader, &TBackgroundReader::PageRead, [&](int page, int) {
        if (page == 2)
            Reader.Cancel();
    });
    Reader.ReadFile(file, {});
    ASSERT_TRUE(Reports.WaitForEnds(1));
    QTest::qWait(500);
    EXPECT_THAT(Reports.Barcodes, ElementsAre("page 1@1", "page 2@2"));
    EXPECT_THAT(Reports.Ends, ElementsAre(true));
    EXPECT_FALSE(Reader.Busy());
}

TEST_F(BackgroundReaderTest, NewReadSupersedesTheOneInProgress) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    Reader.ReadFile(Pages(12), {});
    Reader.ReadFile(Sample("ean13.png"), {});
    ASSERT_TRUE(Reports.WaitForEnds(2));
    QTest::qWait(300);
    EXPECT_THAT(Reports.Barcodes, ElementsAre("9780201379624@1"));
    EXPECT_THAT(Reports.Ends, ElementsAre(true, false));
}

TEST_F(BackgroundReaderTest, UnreadableFileFailsWithTheLibrarysMessage) {
    const QString file = Dir.filePath("broken.png");
    std::ofstream(file.toStdString()) << "\x89PNG broken";
    std::string expected;
    try {
        Vel::ReadBarcodes(file.toStdString());
    } catch (const Host::Exception& error) {
        expected = error.what();
    }
    ASSERT_THAT(expected, HasSubstr("broken.png"));
    Reader.ReadFile(file, {});
    ASSERT_TRUE(Reports.WaitForEnds(1));
    EXPECT_THAT(Reports.Failures, ElementsAre(expected));
    EXPECT_THAT(Reports.Ends, ElementsAre(false));
    EXPECT_TRUE(Reports.Barcodes.empty());
}

TEST_F(BackgroundReaderTest, MissingZBarFailsWithTheLoadersMessage) {
    Vel::UnloadLibrary();
    Vel::ZBarLibraryName = u"libzbar-missing.so.0";
    Reader.ReadImage(QImage(Sample("ean13.png")), {});
    const bool ended = Reports.WaitForEnds(1);
    Vel::ZBarLibraryName = Vel::DefaultZBarLibraryName;
    ASSERT_TRUE(ended);
    EXPECT_THAT(Reports.Failures,
                ElementsAre(HasSubstr("libzbar-missing.so.0: cannot open shared object file")));
}

TEST_F(BackgroundReaderTest, DestroyingABusyReaderWaitsForItsWorker) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    auto reader = std::make_unique<TBackgroundReader>();
    int reports = 0;
    QObject::connect(reader.get(), &TBackgroundReader::BarcodeFound, [&] { ++reports; });
    reader->ReadFile(Pages(6), {});
    QTest::qWait(20);
    reader.reset();
    QTest::qWait(300);
    EXPECT_LT(reports, 6);
}

} // namespace
