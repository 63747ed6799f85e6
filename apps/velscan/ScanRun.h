// One run of velscan over its inputs: loads ZBar, starts the workers, writes the results in
// input order as they complete, and tells the exit status.
#pragma once

#include "Options.h"

#include <istream>
#include <ostream>

namespace VelScan {

enum TExitStatus : int {
    esFound = 0,        // every picture read, at least one barcode found
    esFailed = 1,       // usage error, ZBar not loaded or not configured
    esUnreadable = 2,   // some picture could not be read
    esNothingFound = 4, // every picture read, none had a barcode
};

// Which of the run's streams are a terminal.
struct TTerminals {
    bool Output = false; // results go to the terminal
    bool Errors = false; // the progress line may be shown
};

// `paths` is read for the "-" arguments.
TExitStatus RunScan(const TOptions& options, std::istream& paths, std::ostream& out,
                    std::ostream& err, TTerminals terminals);

} // namespace VelScan
