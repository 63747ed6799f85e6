// The resume rule: which pictures a stopped run has finished, from the results it wrote, so
// that the run resumed scans only the others.
#pragma once

#include "vel/batch/PageSelection.h"
#include "vel/host/Export.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace VelBatch {

// The pictures whose results are complete, keyed by their path's bytes. A picture that could
// not be read counts as done: its result says why, and reading it again would fail again.
class VEL_API TFinishedPictures {
public:
    // The run scans these pages of many-page files.
    explicit TFinishedPictures(TPageSelection pages) : FPages(std::move(pages)) {}

    // Takes one result written before, of the path and, for a picture whose file was opened,
    // its number of pages. The one place that tells when a picture is complete: at its
    // result, or, for a picture of several pages, once a result per page the run scans is
    // there.
    void Add(const std::string& path, std::optional<long long> pages);
    bool Has(const std::string& path) const { return FDone.contains(path); }
    // Drops what was taken of the picture, whose results are dropped.
    void Forget(const std::string& path);

private:
    std::unordered_set<std::string> FDone;
    std::unordered_map<std::string, long long> FPagesSeen;
    TPageSelection FPages;
};

} // namespace VelBatch
