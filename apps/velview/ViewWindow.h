// TViewWindow: velview's window. It opens a picture or document (menu, command line, drag
// and drop), shows its pages, reads them on a worker thread with the effort chosen from its
// menu and the scan rectangle of its stored form's component, and lists what it finds.
#pragma once

#include "PictureView.h"
#include "ResultsList.h"
#include "ViewForm.h"
#include "vel/qt/BackgroundReader.h"
#include "vel/qt/PageImage.h"
#include "vel/qt/QtBarcode.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QString>

#include <memory>

class QActionGroup;

class TViewWindow : public QMainWindow {
    Q_OBJECT

public:
    // The resolution PDF pages are drawn and read at.
    static constexpr int Resolution = 300;

    // A window with the form of formFile, saved back there; with the form velview ships when
    // formFile is empty, saved to saveFile then.
    TViewWindow(const QString& formFile, const QString& saveFile, QWidget* parent = nullptr);

    // Opens a picture or document at its first page and reads every page.
    void Open(const QString& file);
    void ShowPage(int page);
    void SetEffort(Vel::TVelEffort effort);
    // Stores the rectangle (picture pixels) in the component and reads again; an empty one
    // scans the whole picture.
    void SetScanRect(const QRect& rect);
    // Saves the form with its component's settings; a failure is shown as a message.
    void SaveForm();
    void Cancel();

    const TViewForm& Form() const noexcept { return *FForm; }
    Vel::TVelEffort Effort() const noexcept { return FEffort; }
    const QList<VelQt::TQtBarcode>& Barcodes() const noexcept { return FBarcodes; }
    // The message shown (an error), empty without one.
    QString Message() const;
    TPictureView& Picture() const noexcept { return *FPicture; }
    int Page() const noexcept { return FPage; }
    bool Reading() const noexcept { return FReader.Busy(); }

signals:
    // A read ended: every page read, failed or cancelled.
    void ReadFinished();
    // The page shown changed (or failed to load).
    void PageShown();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct TLoadedPage {
        QString File;
        int Page = 0;
        VelQt::TPageImage Image;
        QString Error;
    };

    void BuildMenus();
    void BuildStatusBar();
    void LoadPage();
    void PageLoaded();
    void StartRead();
    void ChooseFile();
    void ShowMessage(const QString& message);
    void ShowBarcodesOfPage();
    void UpdatePageControls();
    void UpdateScanRect();
    void Choose(int number);
    void CopyText();
    void ZoomBy(double factor);
    void FitToWindow();
    void BarcodeFound(const VelQt::TQtBarcode& barcode);
    void PageRead(int page, int pageCount);
    void Finished(bool cancelled);

    std::unique_ptr<TViewForm> FForm;
    QString FFormFile; // where the form is saved
    Vel::TVelEffort FEffort = Vel::TVelEffort::efNormal;
    QString FFile;
    int FPage = 1;
    int FPageCount = 0;
    int FPagesRead = 0;
    bool FFitNextPage = true;
    QList<VelQt::TQtBarcode> FBarcodes;
    VelQt::TBackgroundReader FReader;
    QFutureWatcher<TLoadedPage> FPageWatcher;

    TPictureView* FPicture;
    QScrollArea* FScroll;
    TResultsList* FResults;
    QLabel* FMessage;
    QSpinBox* FPageBox;
    QLabel* FPageCountLabel;
    QProgressBar* FProgress;
    QPushButton* FCancel;
    QActionGroup* FEfforts;
};
