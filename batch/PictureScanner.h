// One worker's scanner: a reader of its own (at the chosen effort) that reads a picture
// file, page by page for a many-page file, finds the barcodes and turns them into results.
#pragma once

#include "Inputs.h"
#include "MemoryBudget.h"
#include "Options.h"
#include "PageSelection.h"
#include "PictureLoading.h"
#include "ScanResult.h"
#include "StderrCapture.h"

#include <vel/Vel.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace VelScan {

// A configuration text that ZBar refuses; the message names the text.
class EConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPictureScanner {
public:
    // Makes the reader (ZBar must be loaded) with the effort and configuration texts, and
    // keeps the scan rectangle. Throws EConfigError for a text ZBar refuses, the reader's
    // exceptions otherwise.
    explicit TPictureScanner(const TOptions& options);

    // Reads and scans the file's selected pages one at a time, each holding its memory in
    // the budget under the slot while it is read and scanned. A failure of the file's first
    // page (which tells the number of pages) becomes the file's error, a later page's its
    // own.
    TFileResult Scan(const TInput& input, TMemoryBudget& budget, unsigned slot) noexcept;

    // Called with each page's result as soon as the page is read and scanned.
    // Takes what the libraries write to standard error while a page is read or scanned into
    // the page's result (see StderrCapture.h); the capture outlives the scanner.
    void SetCapture(TStderrCapture* capture) { FCapture = capture; }

    void SetOnPageDone(std::function<void(const TPictureResult&)> handler) {
        FOnPageDone = std::move(handler);
    }

private:
    TFileResult ScanFile(const TInput& input, TMemoryBudget& budget, unsigned slot);
    // Reads the result's page of the file, sets its size and number of pages, and scans it
    // when asked; the page's pixels are taken from pixelsLeft, and one of more is refused
    // (EFilePixels) before it is drawn.
    void ReadPage(TPictureFile& file, TPictureResult& result, TMemoryBudget& budget, unsigned slot,
                  bool scan, std::uint64_t& pixelsLeft);
    void ScanPicture(Host::TPicture& picture, TPictureResult& result);
    // Runs call, and gives back the lines it wrote to standard error when capturing.
    std::vector<std::string> Captured(const std::function<void()>& call);

    TScanRect FRect;
    bool FRectGiven;
    std::optional<std::string> FAnnotateFolder;
    TPageSelection FPages;
    int FResolution;
    std::uint64_t FMaxFilePixels;
    bool FOneShot; // only the first barcode of each page
    std::unique_ptr<Vel::TReader> FReader;
    std::function<void(const TPictureResult&)> FOnPageDone;
    TStderrCapture* FCapture = nullptr;
    bool FVerbose;
};

} // namespace VelScan
