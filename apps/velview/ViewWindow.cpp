#include "ViewWindow.h"

#include "vel/host/Exception.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr double ZoomStep = 1.25;

struct TEffortChoice {
    Vel::TVelEffort Effort;
    const char* Name;
};

constexpr std::array<TEffortChoice, 3> EffortChoices{{
    {Vel::TVelEffort::efFast, QT_TRANSLATE_NOOP("TViewWindow", "&Fast")},
    {Vel::TVelEffort::efNormal, QT_TRANSLATE_NOOP("TViewWindow", "&Normal")},
    {Vel::TVelEffort::efThorough, QT_TRANSLATE_NOOP("TViewWindow", "&Thorough")},
}};

// The file a drop carries, empty when it carries none.
QString DroppedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

// The component's scan rectangle cut to a picture of the size, as a scan cuts it; empty for
// the whole picture.
QRect ScanRectOf(const Vel::TVel& vel, const QSize& size) {
    if (vel.ScanLeft() == 0 && vel.ScanTop() == 0 && vel.ScanWidth() == 0 && vel.ScanHeight() == 0)
        return {};
    const int right = vel.ScanWidth() == 0 ? size.width() : vel.ScanLeft() + vel.ScanWidth();
    const int bottom = vel.ScanHeight() == 0 ? size.height() : vel.ScanTop() + vel.ScanHeight();
    return QRect(QPoint(vel.ScanLeft(), vel.ScanTop()), QPoint(right - 1, bottom - 1)) &
           QRect(QPoint(0, 0), size);
}

} // namespace

TViewWindow::TViewWindow(const QString& formFile, const QString& saveFile, QWidget* parent)
    : QMainWindow(parent), FFormFile(formFile.isEmpty() ? saveFile : formFile) {
    TLoadedForm loaded = LoadViewForm(formFile);
    FForm = std::move(loaded.Form);

    FPicture = new TPictureView;
    FScroll = new QScrollArea;
    FScroll->setWidget(FPicture);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setBackgroundRole(QPalette::Dark);
    FResults = new TResultsList;
    FMessage = new QLabel;
    FMessage->setObjectName("message");
    FMessage->setWordWrap(true);
    FMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FMessage->setStyleSheet("QLabel { background: #fde2e1; color: #8a1c17; padding: 6px; }");
    FMessage->hide();

    auto* splitter = new QSplitter;
    splitter->addWidget(FScroll);
    splitter->addWidget(FResults);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({600, 400});
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FMessage);
    layout->addWidget(splitter);
    setCentralWidget(central);
    setAcceptDrops(true);
    setWindowTitle("velview");
    setWindowIcon(QIcon(":/velview/velview.png"));
    resize(1000, 640);

    BuildMenus();
    BuildStatusBar();
    connect(FPicture, &TPictureView::ScanRectDrawn, this, &TViewWindow::SetScanRect);
    connect(FPicture, &TPictureView::BarcodeClicked, this, &TViewWindow::Choose);
    connect(FPicture, &TPictureView::ZoomWheel, this,
            [this](int steps) { ZoomBy(steps > 0 ? ZoomStep : 1 / ZoomStep); });
    connect(FResults, &TResultsList::BarcodeChosen, this, &TViewWindow::Choose);
    connect(FResults, &TResultsList::CopyRequested, this, &TViewWindow::CopyText);
    connect(&FReader, &VelQt::TBackgroundReader::BarcodeFound, this, &TViewWindow::BarcodeFound);
    connect(&FReader, &VelQt::TBackgroundReader::PageRead, this, &TViewWindow::PageRead);
    connect(&FReader, &VelQt::TBackgroundReader::Failed, this, &TViewWindow::ShowMessage);
    connect(&FReader, &VelQt::TBackgroundReader::Finished, this, &TViewWindow::Finished);
    connect(&FPageWatcher, &QFutureWatcher<TLoadedPage>::finished, this, &TViewWindow::PageLoaded);
    if (!loaded.Message.isEmpty())
        ShowMessage(loaded.Message);
}

void TViewWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &TViewWindow::ChooseFile);
    file->addAction(tr("&Save settings to the form"), QKeySequence::Save, this,
                    &TViewWindow::SaveForm);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Copy text"), QKeySequence::Copy, this, &TViewWindow::CopyText);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(tr("Zoom &in"), QKeySequence::ZoomIn, this, [this] { ZoomBy(ZoomStep); });
    view->addAction(tr("Zoom &out"), QKeySequence::ZoomOut, this, [this] { ZoomBy(1 / ZoomStep); });
    view->addAction(tr("&Actual size"), QKeySequence(Qt::CTRL | Qt::Key_1), this,
                    [this] { FPicture->SetZoom(1.0); });
    view->addAction(tr("&Fit to window"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                    &TViewWindow::FitToWindow);
    view->addSeparator();
    view->addAction(tr("&Previous page"), QKeySequence(Qt::Key_PageUp), this,
                    [this] { ShowPage(FPage - 1); });
    view->addAction(tr("&Next page"), QKeySequence(Qt::Key_PageDown), this,
                    [this] { ShowPage(FPage + 1); });

    QMenu* read = menuBar()->addMenu(tr("&Read"));
    QMenu* effort = read->addMenu(tr("&Effort"));
    FEfforts = new QActionGroup(this);
    for (const TEffortChoice& choice : EffortChoices) {
        QAction* action = effort->addAction(tr(choice.Name));
        action->setCheckable(true);
        action->setChecked(choice.Effort == FEffort);
        action->setData(static_cast<int>(choice.Effort));
        FEfforts->addAction(action);
        connect(action, &QAction::triggered, this, [this, e = choice.Effort] { SetEffort(e); });
    }
    read->addAction(tr("&Clear the scan rectangle"), this, [this] { SetScanRect({}); });
    read->addAction(tr("&Read again"), QKeySequence::Refresh, this, &TViewWindow::StartRead);
    read->addAction(tr("C&ancel"), QKeySequence(Qt::Key_Escape), this, &TViewWindow::Cancel);
}

void TViewWindow::BuildStatusBar() {
    FPageBox = new QSpinBox;
    FPageBox->setObjectName("page");
    FPageBox->setPrefix(tr("Page "));
    FPageBox->setRange(1, 1);
    FPageCountLabel = new QLabel;
    FProgress = new QProgressBar;
    FProgress->setObjectName("progress");
    FProgress->setMaximumWidth(220);
    FProgress->setFormat(tr("page %v of %m"));
    FProgress->hide();
    FCancel = new QPushButton(tr("Cancel"));
    FCancel->setObjectName("cancel");
    FCancel->hide();
    statusBar()->addPermanentWidget(FProgress);
    statusBar()->addPermanentWidget(FCancel);
    statusBar()->addPermanentWidget(FPageBox);
    statusBar()->addPermanentWidget(FPageCountLabel);
    connect(FPageBox, &QSpinBox::valueChanged, this, &TViewWindow::ShowPage);
    connect(FCancel, &QPushButton::clicked, this, &TViewWindow::Cancel);
    UpdatePageControls();
}

void TViewWindow::Open(const QString& file) {
    FFile = file;
    FPage = 1;
    FPageCount = 0;
    FFitNextPage = true;
    FPicture->SetImage({});
    ShowMessage({});
    setWindowTitle(QFileInfo(file).fileName() + " - velview");
    LoadPage();
    StartRead();
}

void TViewWindow::ShowPage(int page) {
    if (FFile.isEmpty() || page < 1 || (FPageCount > 0 && page > FPageCount) || page == FPage)
        return;
    FPage = page;
    UpdatePageControls();
    LoadPage();
}

// Loads the page shown on a worker thread; PageLoaded shows it unless another was asked for.
void TViewWindow::LoadPage() {
    FPageWatcher.setFuture(QtConcurrent::run([file = FFile, page = FPage] {
        TLoadedPage loaded{file, page, {}, {}};
        try {
            loaded.Image =
                VelQt::LoadPageImage(file, {.Index = page - 1, .Resolution = Resolution});
        } catch (const std::exception& error) {
            loaded.Error = QString::fromUtf8(error.what());
        }
        return loaded;
    }));
}

void TViewWindow::PageLoaded() {
    const TLoadedPage loaded = FPageWatcher.result();
    if (loaded.File != FFile || loaded.Page != FPage)
        return;
    if (!loaded.Error.isEmpty())
        ShowMessage(loaded.Error);
    FPicture->SetImage(loaded.Image.Image);
    FPageCount = std::max(FPageCount, loaded.Image.PageCount);
    if (FFitNextPage && !loaded.Image.Image.isNull()) {
        FFitNextPage = false;
        FitToWindow();
    }
    UpdatePageControls();
    UpdateScanRect();
    ShowBarcodesOfPage();
    emit PageShown();
}

// Reads every page again with the form's effort and its component's scan rectangle.
void TViewWindow::StartRead() {
    if (FFile.isEmpty())
        return;
    const Vel::TVel& vel = FForm->Vel1();
    const Vel::TReadOptions options =
        Vel::TReadOptions()
            .SetEffort(FEffort)
            .SetResolution(Resolution)
            .SetScanRect({vel.ScanLeft(), vel.ScanTop(), vel.ScanWidth(), vel.ScanHeight()});
    FBarcodes.clear();
    FResults->clear();
    FPicture->ClearBarcodes();
    FPagesRead = 0;
    FProgress->setRange(0, 0);
    FProgress->show();
    FCancel->show();
    statusBar()->showMessage(tr("Reading..."));
    FReader.ReadFile(FFile, options);
}

void TViewWindow::BarcodeFound(const VelQt::TQtBarcode& barcode) {
    const auto number = static_cast<int>(FBarcodes.size());
    FBarcodes.append(barcode);
    FResults->Add(number, barcode);
    if (barcode.Page == FPage)
        FPicture->AddBarcode(number, barcode);
}

void TViewWindow::PageRead(int page, int pageCount) {
    FPagesRead = page;
    FPageCount = pageCount;
    FProgress->setRange(0, pageCount);
    FProgress->setValue(page);
    UpdatePageControls();
}

void TViewWindow::Finished(bool cancelled) {
    FProgress->hide();
    FCancel->hide();
    const auto count = static_cast<int>(FBarcodes.size());
    if (cancelled)
        statusBar()->showMessage(tr("Cancelled after %1 of %2 pages: %n barcode(s)", nullptr, count)
                                     .arg(FPagesRead)
                                     .arg(FPageCount));
    else
        statusBar()->showMessage(tr("%n barcode(s)", nullptr, count));
    emit ReadFinished();
}

void TViewWindow::Cancel() {
    FReader.Cancel();
}

void TViewWindow::SetEffort(Vel::TVelEffort effort) {
    FEffort = effort;
    for (QAction* action : FEfforts->actions())
        action->setChecked(action->data().toInt() == static_cast<int>(effort));
    StartRead();
}

void TViewWindow::SetScanRect(const QRect& rect) {
    Vel::TVel& vel = FForm->Vel1();
    vel.SetScanLeft(rect.isEmpty() ? 0 : rect.x());
    vel.SetScanTop(rect.isEmpty() ? 0 : rect.y());
    vel.SetScanWidth(rect.isEmpty() ? 0 : rect.width());
    vel.SetScanHeight(rect.isEmpty() ? 0 : rect.height());
    UpdateScanRect();
    StartRead();
}

void TViewWindow::SaveForm() {
    try {
        SaveViewForm(*FForm, FFormFile);
        statusBar()->showMessage(tr("Settings saved to %1").arg(FFormFile));
    } catch (const Host::Exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

QString TViewWindow::Message() const {
    return FMessage->isHidden() ? QString() : FMessage->text();
}

void TViewWindow::ShowMessage(const QString& message) {
    FMessage->setText(message);
    FMessage->setVisible(!message.isEmpty());
}

void TViewWindow::ShowBarcodesOfPage() {
    FPicture->ClearBarcodes();
    for (int number = 0; number < FBarcodes.size(); ++number)
        if (FBarcodes[number].Page == FPage)
            FPicture->AddBarcode(number, FBarcodes[number]);
    FPicture->Select(FResults->SelectedNumber());
}

void TViewWindow::UpdatePageControls() {
    const QSignalBlocker blocker(FPageBox);
    FPageBox->setRange(1, std::max(FPageCount, 1));
    FPageBox->setValue(FPage);
    FPageBox->setEnabled(FPageCount > 1);
    FPageCountLabel->setText(tr("of %1").arg(std::max(FPageCount, 1)));
}

void TViewWindow::UpdateScanRect() {
    FPicture->SetScanRect(ScanRectOf(FForm->Vel1(), FPicture->Image().size()));
}

// Selects a barcode in the list and in the picture, turning to its page.
void TViewWindow::Choose(int number) {
    if (number < 0 || number >= FBarcodes.size())
        return;
    FResults->SelectNumber(number);
    if (FBarcodes[number].Page != FPage)
        ShowPage(FBarcodes[number].Page);
    FPicture->Select(number);
    const QRect bounds = FBarcodes[number].Outline.boundingRect();
    const QPoint centre = FPicture->ToWidget(bounds.center());
    FScroll->ensureVisible(centre.x(), centre.y(), 80, 80);
}

void TViewWindow::CopyText() {
    const int number = FResults->SelectedNumber();
    if (number < 0)
        return;
    QApplication::clipboard()->setText(FBarcodes[number].Text);
    statusBar()->showMessage(tr("Copied: %1").arg(FBarcodes[number].Text), 4000);
}

void TViewWindow::ChooseFile() {
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Open a picture or document"), QFileInfo(FFile).path(),
        tr("Pictures and documents (*.png *.jpg *.jpeg *.bmp *.gif *.tif *.tiff *.webp *.pbm "
           "*.pgm *.ppm *.pnm *.pdf);;All files (*)"));
    if (!file.isEmpty())
        Open(file);
}

void TViewWindow::ZoomBy(double factor) {
    FPicture->SetZoom(FPicture->Zoom() * factor);
}

// The zoom that shows the whole page, never above actual size.
void TViewWindow::FitToWindow() {
    const QSize image = FPicture->Image().size();
    if (image.isEmpty())
        return;
    const QSize room = FScroll->viewport()->size() - QSize(4, 4);
    FPicture->SetZoom(std::min(
        {1.0, double(room.width()) / image.width(), double(room.height()) / image.height()}));
}

void TViewWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TViewWindow::dropEvent(QDropEvent* event) {
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    Open(file);
}
