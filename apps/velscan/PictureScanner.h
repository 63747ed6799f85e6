// One worker's scanner: a reader of its own (at the chosen effort) that reads a picture
// file, finds its barcodes and turns them into a TPictureResult.
#pragma once

#include "Inputs.h"
#include "Options.h"
#include "ScanResult.h"

#include <vel/Vel.h>

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

    // Reads and scans the picture; every failure becomes the result's error.
    TPictureResult Scan(const TInput& input) noexcept;

private:
    void ScanPicture(const TInput& input, TPictureResult& result);

    TScanRect FRect;
    bool FRectGiven;
    std::optional<std::string> FAnnotateFolder;
    std::unique_ptr<Vel::TReader> FReader;
};

} // namespace VelScan
