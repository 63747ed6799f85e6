#include "PageSpread.h"

#include <cstdint>
#include <utility>

namespace VelBatch {

namespace {

// Whether the input may be spread: a file named by its path, scanned from its first page.
bool Spreadable(const TInput& input, const TScanSettings& settings) {
    return !input.Error && input.Source.empty() && input.FirstPage == 1 && input.LastPage == 0 &&
           settings.Pages.Selects(1);
}

// The part that reads one page of the file.
TInput PagePart(const TInput& input, int page) {
    TInput part = input;
    part.FirstPage = page;
    part.LastPage = page;
    return part;
}

// A part's one page; a part that failed as a whole (its worker crashed or timed out, or the
// file could not be opened again) gives the page that failure.
TPageResult PageOf(TFileResult part, const TPageResult& first, int page) {
    if (part.size() == 1 && part.front().Page == page) {
        TPageResult& result = part.front();
        if (result.Error)
            result.Pages = first.Pages;
        return std::move(result);
    }
    TPageResult result;
    result.Path = first.Path;
    result.Page = page;
    result.Pages = first.Pages;
    if (!part.empty()) {
        result.Error = part.front().Error;
        result.ErrorKind = part.front().ErrorKind;
    }
    return result;
}

// Whether the pages together stay within what a file's pages may hold: read one after
// another, none of them would have been refused.
bool WithinFilePixels(const TFileResult& results, std::uint64_t maxFilePixels) {
    std::uint64_t total = 0;
    for (const TPageResult& page : results) {
        total += static_cast<std::uint64_t>(page.Width) * static_cast<std::uint64_t>(page.Height);
        if (total > maxFilePixels)
            return false;
    }
    return true;
}

} // namespace

TFileResult
ScanSpread(const TInput& input, const TScanSettings& settings,
           const std::function<TFileResult(const TInput&)>& scan,
           const std::function<std::vector<TFileResult>(std::vector<TInput>)>& runParts) {
    if (!Spreadable(input, settings))
        return scan(input);
    TInput firstPart = input;
    firstPart.LastPage = 1;
    TFileResult results = scan(firstPart);
    if (results.size() != 1 || results.front().Page != 1 || results.front().Pages < 2)
        return results;
    const TPageResult first = results.front();
    std::vector<int> pages;
    for (int page = settings.Pages.NextAfter(1, first.Pages); page != 0;
         page = settings.Pages.NextAfter(page, first.Pages))
        pages.push_back(page);
    std::vector<TInput> parts;
    for (const int page : pages)
        parts.push_back(PagePart(input, page));
    std::vector<TFileResult> partResults = runParts(std::move(parts));
    for (std::size_t i = 0; i < pages.size(); ++i)
        results.push_back(PageOf(std::move(partResults[i]), first, pages[i]));
    // Read one after another, a page past the file's pixels is refused with the pages after
    // it: such a file is read again that way.
    if (!WithinFilePixels(results, settings.MaxFilePixels))
        return scan(input);
    return results;
}

} // namespace VelBatch
