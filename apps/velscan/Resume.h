// Resuming a run that was stopped (a crash, a kill, a lost machine): the JSON Lines file it
// wrote is completed in place. A cut last line is removed, the pictures that have an entry
// are skipped, and the others are scanned and appended to the file.
#pragma once

#include "JsonEntry.h"
#include "PageSelection.h"
#include "ScanRun.h"

#include <istream>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace VelScan {

// The pictures a file holds complete entries for, keyed by their path's bytes. A picture
// that could not be read counts as done: its entry says why, and reading it again would
// fail again.
class TFinishedPictures {
public:
    // The run scans these pages of many-page files.
    explicit TFinishedPictures(TPageSelection pages) : FPages(std::move(pages)) {}

    // Takes one entry of the file. The one place that tells when a picture is complete: at
    // its entry, or, for a picture of several pages, once an entry per page the run scans is
    // there.
    void Add(const TJsonEntry& entry);
    bool Has(const std::string& path) const { return FDone.contains(path); }
    // Drops what was taken of the picture, whose entries are removed from the file.
    void Forget(const std::string& path);

private:
    std::unordered_set<std::string> FDone;
    std::unordered_map<std::string, long long> FPagesSeen;
    TPageSelection FPages;
};

// Runs the scan of options.Resume: reads and repairs the file, then appends the missing
// pictures' entries to it. The status covers the entries kept and the new ones alike. The
// file is left as it is, and the run stops (status 1) with a message naming the file and the
// line, when it is a symbolic link or not a regular file, when a whole line is not an entry,
// or when a last line without its newline does not begin as an entry does: the file is not
// velscan's, or was changed, and no guess is made. Only such a cut last entry is removed.
VelCli::TExitStatus RunResumed(const TOptions& options, std::istream& paths, std::ostream& err,
                               TTerminals terminals);

} // namespace VelScan
