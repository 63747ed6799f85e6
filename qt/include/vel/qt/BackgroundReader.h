// TBackgroundReader: reads a picture file, page after page, or a QImage on a worker thread and
// reports on the thread the reader lives on (a window's), so that the window never waits for
// a read. Every read ends with Finished; a new read or Cancel ends the one before it, whose
// later results are never reported.
#pragma once

#include "vel/ReadOptions.h"
#include "vel/host/Export.h"
#include "vel/qt/QtBarcode.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace VelQt {

class VEL_API TBackgroundReader : public QObject {
    Q_OBJECT

public:
    explicit TBackgroundReader(QObject* parent = nullptr);
    // Cancels the read in progress and waits for the worker to stop.
    ~TBackgroundReader() override;

    // Reads the pages of a picture file the options choose (every page by default; PDF pages
    // drawn at the options' resolution) with the options' effort, settings and scan
    // rectangle. A read in progress is cancelled first.
    void ReadFile(const QString& file, const Vel::TReadOptions& options);
    // Reads an image (see ReadImage in vel/qt/ImageReading.h), which is shared, not copied.
    void ReadImage(const QImage& image, const Vel::TReadOptions& options);
    // Stops the read in progress after the page being read; Finished(true) follows.
    void Cancel();
    // Whether a read was started and has not yet reported Finished.
    bool Busy() const noexcept { return FBusy; }

signals:
    // One barcode, as soon as its page has been read.
    void BarcodeFound(const VelQt::TQtBarcode& barcode);
    // A page has been read: page counting from 1, of the file's pageCount pages.
    void PageRead(int page, int pageCount);
    // The read stopped on an error, with the library's message (a file that cannot be read,
    // ZBar that cannot be loaded, a setting ZBar refuses). Finished(false) follows.
    void Failed(const QString& message);
    // The read ended: all pages read, failed, or cancelled (true).
    void Finished(bool cancelled);

private:
    struct TJob;
    class TJobPost; // what a worker reports, posted to the reader's thread

    std::shared_ptr<TJob> Start();
    static void RunJob(const TJobPost& post, const std::function<void()>& read);
    static void ReadPages(const TJobPost& post, const QString& file,
                          const Vel::TReadOptions& options);

    QThreadPool FPool;
    std::shared_ptr<TJob> FJob; // the read whose results are reported
    std::uint64_t FJobCount = 0;
    bool FBusy = false;
};

} // namespace VelQt
