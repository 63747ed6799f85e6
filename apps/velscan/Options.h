// velscan's command line: the options, their parsing and validation, and the help text.
#pragma once

#include <vel/batch/Settings.h>
#include <vel/formats/Output.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace VelScan {

using VelFormats::TFormat;

enum class TAction { Scan, Merge, Help, Version };

struct TOptions {
    TAction Action = TAction::Scan;
    VelBatch::TBatchSettings Batch{.ProgramName = "velscan"}; // what to scan, and how
    TFormat Format = TFormat::Text;
    bool WithPath = false;                  // text and raw lines start with the picture's path
    bool Quiet = false;                     // no progress line
    int Verbose = 0;                        // above 0: ZBar's own lines of each page shown
    std::optional<std::string> Resume;      // the JSON Lines file to complete and append to
    std::optional<std::string> MergeOutput; // --merge: the file the merged entries go to
    std::optional<std::string> Expect;      // --merge: the list of the paths expected
    bool AllPoints = false; // JSON and XML give every outline point, not the outline's hull
};

// Parses the arguments after the program name; throws VelCli::EUsageError.
TOptions ParseOptions(std::span<const char* const> args);

std::string HelpText();

} // namespace VelScan
