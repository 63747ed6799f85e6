// Resuming a run that was stopped (a crash, a kill, a lost machine): the JSON Lines file it
// wrote is completed in place. A cut last line is removed, the pictures that have an entry
// are skipped, and the others are scanned and appended to the file.
#pragma once

#include "ScanRun.h"

#include <istream>
#include <ostream>

namespace VelScan {

// Runs the scan of options.Resume: reads and repairs the file, then appends the missing
// pictures' entries to it. The status covers the entries kept and the new ones alike. The
// file is left as it is, and the run stops (status 1) with a message naming the file and the
// line, when it is a symbolic link or not a regular file, when a whole line is not an entry,
// or when a last line without its newline does not begin as an entry does: the file is not
// velscan's, or was changed, and no guess is made. Only such a cut last entry is removed.
VelCli::TExitStatus RunResumed(const TOptions& options, std::istream& paths, std::ostream& err,
                               TTerminals terminals);

} // namespace VelScan
