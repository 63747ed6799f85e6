// velview_stall: how long velview's window stops answering while it reads a long document.
// The window opens a PDF of 40 pages (one Code 128 a page, drawn and read at 300 dots per
// inch) on the offscreen platform; a zero timer on the window's thread notes every turn of its
// event loop, and the longest gap between two turns is the longest stall. Beside it, the
// processor time the window's thread spent in that gap: on a busy machine a gap may be time
// the thread waited for a processor, not work it did; and the most processor time the thread
// spent between two turns. A second run cancels after the fifth
// page and measures how long the window takes to end the read.
//   velview_stall [PAGES]        (QT_QPA_PLATFORM=offscreen is set when unset)
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "ViewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <zint.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

QString Document(const QTemporaryDir& dir, int pages) {
    std::vector<Support::TGrayImage> pictures;
    for (int page = 1; page <= pages; ++page)
        pictures.push_back(
            Support::RenderBarcode(BARCODE_CODE128, "page " + std::to_string(page), 4, 200));
    const QString file = dir.filePath("document.pdf");
    std::ofstream(file.toStdString(), std::ios::binary) << Support::MakePdfPages(pictures, 100);
    return file;
}

// The processor time of the calling thread, in milliseconds.
double ThreadMilliseconds() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

struct TStall {
    qint64 Wall = 0;      // the longest time between two turns of the event loop, ms
    double Processor = 0; // of which the window's thread ran
    double Work = 0;      // the most processor time the thread spent between two turns
};

// The longest time between two turns of the event loop until done() holds.
TStall LongestStall(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    double lastProcessor = ThreadMilliseconds();
    TStall longest;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const double processor = ThreadMilliseconds();
        if (now - last > longest.Wall)
            longest = {now - last, processor - lastProcessor, longest.Work};
        longest.Work = std::max(longest.Work, processor - lastProcessor);
        last = now;
        lastProcessor = processor;
    });
    tick.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return longest;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int pages = argc > 1 ? std::atoi(argv[1]) : 40;
    const QTemporaryDir dir;
    const QString document = Document(dir, pages);

    TViewWindow window({}, {});
    window.show();
    QElapsedTimer clock;
    clock.start();
    window.Open(document);
    const TStall stall = LongestStall([&] { return !window.Reading(); });
    std::printf("read %d pages in %lld ms, %lld barcodes; longest stall of the window: %lld ms "
                "(%.1f ms of it running); longest work between two turns: %.1f ms\n",
                pages, static_cast<long long>(clock.elapsed()),
                static_cast<long long>(window.Barcodes().size()),
                static_cast<long long>(stall.Wall), stall.Processor, stall.Work);

    window.Open(document);
    LongestStall([&] { return window.Barcodes().size() >= 5; });
    clock.restart();
    window.Cancel();
    const qint64 cancelled = clock.elapsed();
    const auto found = window.Barcodes().size();
    LongestStall([&] { return clock.elapsed() > 1000; });
    std::printf("cancelled after %lld barcodes in %lld ms; barcodes reported after cancel: %lld\n",
                static_cast<long long>(found), static_cast<long long>(cancelled),
                static_cast<long long>(window.Barcodes().size() - found));
    return 0;
}
