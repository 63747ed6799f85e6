// velscan's command line: the options, their parsing and validation, and the help text.
#pragma once

#include "PageSelection.h"
#include "RunLimits.h"
#include "Shard.h"

#include <vel/Reader.h>
#include <vel/host/PixelLimit.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace VelScan {

enum class TFormat { Text, Raw, Json, Xml, ZbarXml };

enum class TAction { Scan, Merge, Help, Version };

// How the paths on standard input are separated: by newlines, or each ended by a NUL byte.
enum class TPathList { Lines, NulSeparated };

// The scan rectangle in picture pixels; a width or height of 0 reaches the picture's edge.
struct TScanRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// PDF pages are drawn at 300 dpi by default: fine enough for a barcode printed small, and a
// letter or A4 page then stays below 9 megapixels.
inline constexpr int DefaultResolution = 300;
inline constexpr int MaxResolution = 2400;

// The pixels all the pages of one file may hold together: 2^33, about 990 A4 pages at 300 dpi,
// so that a real scan of 500 pages passes while a small file of thousands of pages at the
// pixel limit cannot keep a worker for hours.
inline constexpr std::uint64_t DefaultMaxFilePixels = std::uint64_t{1} << 33;

struct TOptions {
    TAction Action = TAction::Scan;
    std::vector<std::string> Paths; // "-" stands for the paths on standard input
    TPathList PathList = TPathList::Lines;
    bool Recursive = false;
    TFormat Format = TFormat::Text;
    std::vector<std::string> Configs; // ZBar configuration texts, applied in order
    std::optional<TScanRect> Rect;
    unsigned Jobs = 0; // 0: one per core
    std::optional<std::string> Library;
    Vel::TVelEffort Effort = Vel::TVelEffort::efNormal;
    std::uint64_t MaxPixels = Host::DefaultMaxPicturePixels; // the host's limit on one picture
    std::uint64_t MaxFilePixels = DefaultMaxFilePixels;      // the pixels of all a file's pages
    bool Isolation = true; // scan in worker processes, so that a crash costs one picture
    std::chrono::milliseconds Timeout = DefaultTimeout; // a worker process's per picture; 0: none
    std::optional<std::uint64_t> MemoryBudget;          // bytes; default: DefaultMemoryBudget()
    TPageSelection Pages;                               // of many-page files; every page by default
    int Resolution = DefaultResolution;                 // dots per inch a PDF page is drawn at
    std::vector<std::string> Arguments; // as given, for the worker processes to parse again
    bool WithPath = false;              // text and raw lines start with the picture's path
    bool Quiet = false;                 // no progress line
    int Verbose = 0; // above 0: ZBar's own lines of each page shown (worker processes only)
    bool StdinPicture = false;                 // a picture read from standard input, shown as "-"
    std::optional<std::string> AnnotateFolder; // where the annotated pictures go
    std::optional<TShard> Shard;               // scan only the pictures of this shard
    std::optional<std::string> Resume;         // the JSON Lines file to complete and append to
    std::optional<std::string> MergeOutput;    // --merge: the file the merged entries go to
    std::optional<std::string> Expect;         // --merge: the list of the paths expected
    bool AllPoints = false; // JSON and XML give every outline point, not the outline's hull
    bool OneShot = false;   // report only the first barcode of each picture
    std::vector<Vel::TVelSymbology> Symbologies; // --formats: those to read; empty: every one
};

// Parses the arguments after the program name; throws VelCli::EUsageError.
TOptions ParseOptions(std::span<const char* const> args);

std::string HelpText();

} // namespace VelScan
