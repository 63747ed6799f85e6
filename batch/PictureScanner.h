// One worker's scanner: a reader of its own (at the chosen effort) that reads a picture
// file, page by page for a many-page file, finds the barcodes and turns them into results.
#pragma once

#include "MemoryBudget.h"
#include "PictureLoading.h"
#include "StderrCapture.h"
#include "vel/batch/Batch.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/PageSelection.h"
#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"

#include <vel/Vel.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace VelBatch {

class TPictureScanner {
public:
    // Makes the reader (ZBar must be loaded) with the effort and configuration texts, and
    // keeps the scan rectangle; isolated tells the reader it runs in a worker process. Throws
    // EConfigError for a text ZBar refuses, the reader's exceptions otherwise.
    TPictureScanner(const TScanSettings& settings, bool isolated, TAnnotate annotate = {});

    // Reads and scans the file's selected pages one at a time, each holding its memory in
    // the budget under the slot while it is read and scanned. A failure of the file's first
    // page (which tells the number of pages) becomes the file's error, a later page's its
    // own.
    TFileResult Scan(const TInput& input, TMemoryBudget& budget, unsigned slot) noexcept;

    // Called with each page's result as soon as the page is read and scanned.
    // Takes what the libraries write to standard error while a page is read or scanned into
    // the page's result (see StderrCapture.h); the capture outlives the scanner.
    void SetCapture(TStderrCapture* capture) { FCapture = capture; }

    void SetOnPageDone(std::function<void(const TPageResult&)> handler) {
        FOnPageDone = std::move(handler);
    }

private:
    TFileResult ScanFile(const TInput& input, TMemoryBudget& budget, unsigned slot);
    // The selected pages of input.FirstPage (above 1) to input.LastPage, each read on its own.
    TFileResult ScanPages(const TInput& input, TMemoryBudget& budget, unsigned slot);
    // Reads the result's page of the file, sets its size and number of pages, and scans it
    // when asked; the page's pixels are taken from pixelsLeft, and one of more is refused
    // (EFilePixels) before it is drawn.
    void ReadPage(TPictureFile& file, TPageResult& result, TMemoryBudget& budget, unsigned slot,
                  bool scan, std::uint64_t& pixelsLeft);
    void ScanPicture(Host::TPicture& picture, TPageResult& result);
    // Runs call, and gives back the lines it wrote to standard error when capturing.
    std::vector<std::string> Captured(const std::function<void()>& call);

    TScanSettings FSettings;
    Vel::TRect FRect; // the settings' rectangle, or the whole picture
    TAnnotate FAnnotate;
    std::unique_ptr<Vel::TReader> FReader;
    std::function<void(const TPageResult&)> FOnPageDone;
    TStderrCapture* FCapture = nullptr;
};

} // namespace VelBatch
