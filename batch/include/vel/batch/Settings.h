// What a batch is told: how each picture is read and scanned (TScanSettings, sent to every
// worker process as data), and how the run goes over its inputs (TBatchSettings).
#pragma once

#include "vel/Geometry.h"
#include "vel/ReadOptions.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/Limits.h"
#include "vel/batch/PageSelection.h"
#include "vel/batch/Shard.h"
#include "vel/host/PixelLimit.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VelBatch {

// PDF pages are drawn at 300 dpi by default: fine enough for a barcode printed small, and a
// letter or A4 page then stays below 9 megapixels.
inline constexpr int DefaultResolution = 300;
inline constexpr int MaxResolution = 2400;

// The pixels all the pages of one file may hold together: 2^33, about 990 A4 pages at 300 dpi,
// so that a real scan of 500 pages passes while a small file of thousands of pages at the
// pixel limit cannot keep a worker for hours.
inline constexpr std::uint64_t DefaultMaxFilePixels = std::uint64_t{1} << 33;

struct TScanSettings {
    std::vector<std::string> Configs{}; // ZBar configuration texts, applied in order
    std::optional<Vel::TRect> Rect{};   // a width or height of 0 reaches the picture's edge
    Vel::TVelEffort Effort = Vel::TVelEffort::efNormal;
    std::vector<Vel::TVelSymbology> Symbologies{}; // those to read; empty: every one
    // ZBar's library file; default: the component's. A process loads ZBar once: the first
    // batch (or other use of the component) decides which file its process and its workers use.
    std::optional<std::string> Library{};
    std::uint64_t MaxPixels = Host::DefaultMaxPicturePixels; // the limit on one picture
    std::uint64_t MaxFilePixels = DefaultMaxFilePixels;      // the pixels of all a file's pages
    TPageSelection Pages{};                                  // of many-page files
    int Resolution = DefaultResolution;                      // dots per inch a PDF page is drawn at
    bool OneShot = false;                                    // only the first barcode of each page
    bool ZBarLines = false; // each page's result keeps what ZBar wrote to standard error
    std::optional<std::string> AnnotateFolder{}; // given to TBatchHooks::Annotate for each page

    friend bool operator==(const TScanSettings&, const TScanSettings&) = default;
};

struct TBatchSettings {
    TScanSettings Scan{};
    std::vector<std::string> Paths{}; // files and folders; "-" for the list on `paths`
    TPathList PathList = TPathList::Lines;
    bool Recursive = false;
    unsigned Jobs = 0;     // pictures scanned at once; 0: one per core
    bool Isolation = true; // scan in worker processes, so that a crash costs one picture
    std::chrono::milliseconds Timeout = DefaultTimeout; // per page in a worker process; 0: none
    std::optional<std::uint64_t> MemoryBudget{};        // bytes; default: DefaultMemoryBudget()
    std::optional<TShard> Shard{};                      // scan only the pictures of this shard
    bool StdinPicture = false; // a picture on standard input, scanned first and shown as "-"
    // The name worker processes give in their messages on standard error, and argv[0].
    std::string ProgramName = "velbatch";
};

} // namespace VelBatch
