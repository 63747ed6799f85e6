// One run of velscan over its inputs: starts the batch, writes the results in input order as
// they complete, and tells the exit status.
#pragma once

#include "Options.h"
#include "cli/ExitStatus.h"

#include <vel/batch/Batch.h>

#include <istream>
#include <ostream>

namespace VelScan {

// Which of the run's streams are a terminal.
struct TTerminals {
    bool Output = false; // results go to the terminal
    bool Errors = false; // the progress line may be shown
};

// What velscan adds to each page's scan, in its own process and in its worker processes:
// the annotated pictures.
VelBatch::TBatchHooks Hooks();

// `paths` is read for the "-" arguments; a picture on standard input (--stdin-picture) is read
// from its descriptor and scanned first. Only the inputs of the shard that `keep` takes are
// scanned.
VelCli::TExitStatus RunScan(const TOptions& options, std::istream& paths, std::ostream& out,
                            std::ostream& err, TTerminals terminals,
                            const VelBatch::TInputFilter& keep = {});

} // namespace VelScan
