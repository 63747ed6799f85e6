// One worker's scanner: a TVel of its own that reads a picture file, scans it and turns
// what it found into a TPictureResult, exactly as an application uses the component.
#pragma once

#include "Inputs.h"
#include "Options.h"
#include "ScanResult.h"

#include <vel/Vel.h>

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
    // Activates the component (ZBar must be loaded) and applies the configuration texts
    // and the scan rectangle. Throws EConfigError for a text ZBar refuses, the component's
    // exceptions otherwise.
    TPictureScanner(const std::vector<std::string>& configs, const std::optional<TScanRect>& rect);

    // Reads and scans the picture; every failure becomes the result's error.
    TPictureResult Scan(const TInput& input) noexcept;

private:
    // Activates the component and applies the configuration texts to its new scanner.
    void Activate();
    void ScanPicture(TPictureResult& result);

    std::vector<std::string> FConfigs;
    Vel::TVel FVel{nullptr};
};

} // namespace VelScan
