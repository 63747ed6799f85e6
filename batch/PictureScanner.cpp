#include "PictureScanner.h"

#include "GuardedScan.h"
#include "PictureLoading.h"
#include "PictureMemory.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace VelBatch {

namespace {

std::unique_ptr<Vel::TReader> MakeReader(const TScanSettings& settings, bool isolated) {
    try {
        return std::make_unique<Vel::TReader>(Vel::TReadOptions()
                                                  .SetSettings(settings.Configs)
                                                  .SetEffort(settings.Effort)
                                                  .SetIsolated(isolated)
                                                  .SetSymbologies(settings.Symbologies));
    } catch (const Vel::EVelError& error) {
        throw EConfigError(error.what());
    }
}

// The reader scans nothing when the rectangle's top left corner lies at or beyond the
// picture's right or bottom edge (a width or height of 0 only reaches the edge); that is
// told, so that it does not pass for a picture without barcodes.
std::optional<std::string> OutsideWarning(const Vel::TRect& rect, int width, int height) {
    if (rect.Left < width && rect.Top < height)
        return std::nullopt;
    return "the scan rectangle " + std::to_string(rect.Left) + ',' + std::to_string(rect.Top) +
           ',' + std::to_string(rect.Width) + ',' + std::to_string(rect.Height) +
           " lies outside the picture of " + std::to_string(width) + " x " +
           std::to_string(height) + " pixels; nothing was scanned";
}

// A second warning follows the first.
void AddWarning(TPageResult& result, std::optional<std::string> warning) {
    if (warning)
        result.Warning = result.Warning ? *result.Warning + "; " + *warning : *warning;
}

// The page's result becomes the error being handled, and nothing else.
void FailPage(TPageResult& result) {
    SetCurrentFailure(result);
    result.Barcodes.clear();
    result.Warning.reset();
    result.Truncated = false;
}

void TakeTruncation(const Host::TGraphic& graphic, TPageResult& result) {
    const auto incomplete = graphic.Incomplete();
    if (!incomplete)
        return;
    result.Truncated = true;
    if (incomplete->ScansMissing)
        AddWarning(result, "picture truncated: drawn from the scans that arrived, coarser");
    else
        AddWarning(result, "picture truncated: " + std::to_string(incomplete->RowsRead) + " of " +
                               std::to_string(incomplete->RowsTotal) + " rows");
}

} // namespace

TPictureScanner::TPictureScanner(const TScanSettings& settings, bool isolated, TAnnotate annotate)
    : FSettings(settings), FRect(settings.Rect.value_or(Vel::TRect{})),
      FAnnotate(std::move(annotate)), FReader(MakeReader(settings, isolated)) {}

TFileResult TPictureScanner::Scan(const TInput& input, TMemoryBudget& budget,
                                  unsigned slot) noexcept {
    return GuardedScan(input, [&] { return ScanFile(input, budget, slot); });
}

// The first page is always read: it tells how many pages there are. The pages read count
// against the pixels the file may hold; once a page would pass them, it and every later page
// are reported without being read.
TFileResult TPictureScanner::ScanFile(const TInput& input, TMemoryBudget& budget, unsigned slot) {
    if (input.FirstPage > 1 && input.LastPage != 0)
        return ScanPages(input, budget, slot);
    const int last = input.LastPage != 0 ? input.LastPage : std::numeric_limits<int>::max();
    const auto wanted = [&](int page) {
        return page >= input.FirstPage && FSettings.Pages.Selects(page);
    };
    TFileResult results;
    TPictureFile file(SourceFile(input));
    std::uint64_t pixelsLeft = FSettings.MaxFilePixels;
    bool stopped = false;
    int pages = 1;
    for (int page = 1; page <= std::min(pages, last); ++page) {
        if (page > 1 && !wanted(page))
            continue;
        TPageResult result;
        result.Path = input.Path;
        result.Page = page;
        result.Pages = pages;
        if (page == 1) {
            ReadPage(file, result, budget, slot, wanted(1), pixelsLeft);
            pages = result.Pages;
            if (!wanted(1))
                continue;
        } else if (stopped) {
            result.ErrorKind = TErrorKind::ekOther;
            result.Error = "page not read: the file's earlier pages took the pixels its pages may "
                           "hold together (--max-file-pixels)";
        } else {
            try {
                ReadPage(file, result, budget, slot, true, pixelsLeft);
            } catch (const EFilePixels&) {
                stopped = true;
                FailPage(result);
            } catch (...) {
                FailPage(result);
            }
        }
        if (FOnPageDone)
            FOnPageDone(result);
        results.push_back(std::move(result));
    }
    if (results.empty())
        throw std::runtime_error("--pages selects none of the file's " + std::to_string(pages) +
                                 (pages == 1 ? " page" : " pages"));
    return results;
}

// The pages are loaded straight from the file, without the pages before them: the file's
// number of pages is known to the caller, and so is what its pages hold together, which is
// checked by the caller over all of them.
TFileResult TPictureScanner::ScanPages(const TInput& input, TMemoryBudget& budget, unsigned slot) {
    TFileResult results;
    TPictureFile file(SourceFile(input));
    std::uint64_t pixelsLeft = std::numeric_limits<std::uint64_t>::max();
    for (int page = input.FirstPage; page <= input.LastPage; ++page) {
        if (!FSettings.Pages.Selects(page))
            continue;
        TPageResult result;
        result.Path = input.Path;
        result.Page = page;
        try {
            ReadPage(file, result, budget, slot, true, pixelsLeft);
        } catch (...) {
            FailPage(result);
        }
        if (FOnPageDone)
            FOnPageDone(result);
        results.push_back(std::move(result));
    }
    return results;
}

// The reader gives every pass a fresh ZBar scanner, so a result depends on the picture
// alone, not on which pictures the same worker read before. The page is dropped when its
// scan ends, so that an idle worker holds no picture memory.
void TPictureScanner::ReadPage(TPictureFile& file, TPageResult& result, TMemoryBudget& budget,
                               unsigned slot, bool scan, std::uint64_t& pixelsLeft) {
    TPictureReservation reservation(budget, slot, pixelsLeft, file.DrawsPages());
    Host::TPicture picture;
    const std::string decoder = DecoderWarning(Captured([&] {
        file.LoadPage(picture, {result.Page - 1, FSettings.Resolution});
    }));
    if (!decoder.empty())
        AddWarning(result, decoder);
    pixelsLeft -= std::min<std::uint64_t>(pixelsLeft, static_cast<std::uint64_t>(picture.Width()) *
                                                          picture.Height());
    result.Pages = picture.Graphic()->PageCount();
    result.Width = picture.Width();
    result.Height = picture.Height();
    if (scan)
        ScanPicture(picture, result);
}

void TPictureScanner::ScanPicture(Host::TPicture& picture, TPageResult& result) {
    TakeTruncation(*picture.Graphic(), result);
    AddWarning(result, OutsideWarning(FRect, result.Width, result.Height));
    std::vector<Vel::TBarcode> found;
    // Unless the annotation draws it, the picture's pixels go once the reader has its gray
    // bytes.
    std::vector<std::string> zbarLines = Captured([&] {
        found = FSettings.AnnotateFolder ? FReader->Read(picture, FRect)
                                         : FReader->Read(std::move(picture), FRect);
    });
    if (FSettings.ZBarLines)
        result.ZBarLines = std::move(zbarLines);
    if (FSettings.OneShot && found.size() > 1)
        found.resize(1);
    result.Barcodes = std::move(found);
    if (FSettings.AnnotateFolder && FAnnotate)
        AddWarning(result, FAnnotate(picture, result, FSettings));
}

std::vector<std::string> TPictureScanner::Captured(const std::function<void()>& call) {
    if (!FCapture) {
        call();
        return {};
    }
    return FCapture->Around(call);
}

} // namespace VelBatch
