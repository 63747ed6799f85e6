// One run of velscan over its inputs: loads ZBar, starts the workers, writes the results in
// input order as they complete, and tells the exit status.
#pragma once

#include "Options.h"
#include "common/ExitStatus.h"

#include "Inputs.h"

#include <functional>
#include <istream>
#include <ostream>

namespace VelScan {

// Which of the run's streams are a terminal.
struct TTerminals {
    bool Output = false; // results go to the terminal
    bool Errors = false; // the progress line may be shown
};

// Whether an input is scanned (a resumed run skips those it has); empty: every one.
using TInputFilter = std::function<bool(const TInput&)>;

// `paths` is read for the "-" arguments; a picture on standard input (--stdin-picture) is read
// from its descriptor and scanned first. Only the inputs of options.Shard that `keep` takes
// are scanned.
VelCli::TExitStatus RunScan(const TOptions& options, std::istream& paths, std::ostream& out,
                            std::ostream& err, TTerminals terminals, const TInputFilter& keep = {});

} // namespace VelScan
