// Joining the JSON Lines files of a run's shards into the file one run would have written.
#pragma once

#include "Options.h"
#include "cli/ExitStatus.h"

#include <istream>
#include <ostream>

namespace VelScan {

// Reads every entry of options.Paths and writes them, whole lines unchanged, to
// options.MergeOutput in a folder walk's order: by path, compared folder by folder (each
// part of the path by its bytes), then by page. Given options.Expect (read from `list` when
// it is "-"), every expected picture without an entry is reported. A picture with two
// entries is reported and its first entry kept. OUT is replaced at once, by a new file renamed
// over it. Status: 0 when every entry was read, none twice and none missing; 2 when a line is
// not an entry, a file cannot be read or a picture is missing or repeated; 1 when OUT cannot
// be written.
VelCli::TExitStatus RunMerge(const TOptions& options, std::istream& list, std::ostream& err);

} // namespace VelScan
