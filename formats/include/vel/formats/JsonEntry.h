// Reading back the entries the JSON format wrote (Output.h), for resuming a run and merging
// shards.
#pragma once

#include "vel/host/Export.h"

#include <optional>
#include <string>
#include <string_view>

namespace VelFormats {

// What a run needs of one JSON line: which picture (and page) it is about and how it ended.
struct TJsonEntry {
    std::string Path;               // the exact bytes: "path_base64" decoded when present
    std::optional<long long> Page;  // "page", for a picture of several pages
    std::optional<long long> Pages; // "pages"
    bool HasError = false;          // an "error" member
    bool HasBarcode = false;        // a non-empty "barcodes" array
};

// The entry of a line (without its newline), or nullopt when the line is not one whole JSON
// object with a string "path" (a line cut by a crash, or written by another program).
VEL_API std::optional<TJsonEntry> ReadJsonEntry(std::string_view line);

} // namespace VelFormats
