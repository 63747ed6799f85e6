// Which pages of many-page files (TIFF pages, GIF frames, PDF pages) a run scans: every page,
// or a list of pages and ranges such as "1,3-5,8-".
#pragma once

#include "vel/host/Export.h"

#include <string>
#include <utility>
#include <vector>

namespace VelBatch {

class VEL_API TPageSelection {
public:
    // Every page.
    TPageSelection() = default;
    // Throws EInvalidValue unless it is a comma-separated list of page
    // numbers (from 1), ranges FIRST-LAST and open ranges FIRST-.
    static TPageSelection Parse(const std::string& text);

    bool Selects(int page) const;
    // The first page it selects after `page` in a file of `count` pages; 0 when there is none.
    int NextAfter(int page, int count) const;
    // How many pages it selects in a file of `count` pages.
    int CountWithin(int count) const;
    // The selection as Parse reads it ("1,3-5,8-"); empty for every page.
    std::string Text() const;

    friend bool operator==(const TPageSelection&, const TPageSelection&) = default;

private:
    std::vector<std::pair<int, int>> FRanges; // first and last page; empty: every page
};

} // namespace VelBatch
