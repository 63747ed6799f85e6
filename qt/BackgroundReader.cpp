#include "vel/qt/BackgroundReader.h"

#include "vel/Loader.h"
#include "vel/Reader.h"
#include "vel/host/Picture.h"
#include "vel/qt/ImageReading.h"
#include "vel/qt/PageImage.h"

#include <QMetaObject>

#include <exception>
#include <functional>
#include <utility>

namespace VelQt {

struct TBackgroundReader::TJob {
    std::atomic<bool> Cancelled{false};
};

// What a worker tells the reader: each report is posted to the reader's thread and given
// there only while the job is still the reader's current one.
class TBackgroundReader::TJobPost {
public:
    TJobPost(TBackgroundReader* reader, std::shared_ptr<TJob> job)
        : FReader(reader), FJob(std::move(job)) {}

    bool Cancelled() const noexcept { return FJob->Cancelled; }

    void Page(int page, int pageCount, const std::vector<Vel::TBarcode>& barcodes) const {
        Post([reader = FReader, page, pageCount, found = ToQt(barcodes)] {
            for (const TQtBarcode& barcode : found)
                emit reader->BarcodeFound(barcode);
            emit reader->PageRead(page, pageCount);
        });
    }

    void Failed(const QString& message) const {
        Post([reader = FReader, message] { emit reader->Failed(message); });
    }

    void Finished() const {
        Post([reader = FReader] {
            reader->FJob.reset();
            reader->FBusy = false;
            emit reader->Finished(false);
        });
    }

private:
    void Post(std::function<void()> report) const {
        QMetaObject::invokeMethod(
            FReader,
            [reader = FReader, job = FJob, report = std::move(report)] {
                if (reader->FJob == job)
                    report();
            },
            Qt::QueuedConnection);
    }

    TBackgroundReader* FReader;
    std::shared_ptr<TJob> FJob;
};

// Runs a read, turning any error into a failure report; the job ends either way.
void TBackgroundReader::RunJob(const TJobPost& post, const std::function<void()>& read) {
    try {
        Vel::LoadLibrary();
        read();
    } catch (const std::exception& error) {
        post.Failed(QString::fromUtf8(error.what()));
    }
    post.Finished();
}

// Reads the options' pages of the file, or every page, until the job is cancelled.
void TBackgroundReader::ReadPages(const TJobPost& post, const QString& file,
                                  const Vel::TReadOptions& options) {
    Vel::TReader reader(options);
    Host::TPicture picture;
    const std::filesystem::path path = FilePath(file);
    const auto readPage = [&](int page) {
        picture.LoadFromFile(path, {.Index = page - 1, .Resolution = options.Resolution()});
        if (post.Cancelled())
            return;
        post.Page(page, picture.Graphic()->PageCount(), reader.Read(picture, options.ScanRect()));
    };
    if (!options.Pages().empty()) {
        for (const int page : options.Pages()) {
            if (post.Cancelled())
                return;
            readPage(page);
        }
        return;
    }
    readPage(1);
    for (int page = 2; page <= picture.Graphic()->PageCount() && !post.Cancelled(); ++page)
        readPage(page);
}

TBackgroundReader::TBackgroundReader(QObject* parent) : QObject(parent) {}

TBackgroundReader::~TBackgroundReader() {
    if (FJob)
        FJob->Cancelled = true;
    FPool.waitForDone();
}

std::shared_ptr<TBackgroundReader::TJob> TBackgroundReader::Start() {
    Cancel();
    FJob = std::make_shared<TJob>();
    FBusy = true;
    return FJob;
}

void TBackgroundReader::ReadFile(const QString& file, const Vel::TReadOptions& options) {
    const TJobPost post(this, Start());
    FPool.start([post, file, options] { RunJob(post, [&] { ReadPages(post, file, options); }); });
}

void TBackgroundReader::ReadImage(const QImage& image, const Vel::TReadOptions& options) {
    const TJobPost post(this, Start());
    FPool.start([post, image, options] {
        RunJob(post, [&] {
            Vel::TReader reader(options);
            post.Page(1, 1, VelQt::ReadImage(reader, image, options.ScanRect()));
        });
    });
}

void TBackgroundReader::Cancel() {
    if (!FJob)
        return;
    FJob->Cancelled = true;
    FJob.reset();
    FBusy = false;
    emit Finished(true);
}

} // namespace VelQt
