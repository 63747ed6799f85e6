// A many-page file's pages spread over the workers: its first page is scanned as the file's
// own job, which tells the number of pages, and every later page selected becomes a part of
// its own, so that a long document is read on every core. The results are the ones a single
// worker gives when it reads the file from beginning to end.
#pragma once

#include "vel/batch/Inputs.h"
#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"

#include <functional>
#include <vector>

namespace VelBatch {

// Scans the input: `scan` scans an input on the calling worker, `runParts` scans inputs in
// parallel and gives back their results in order.
TFileResult
ScanSpread(const TInput& input, const TScanSettings& settings,
           const std::function<TFileResult(const TInput&)>& scan,
           const std::function<std::vector<TFileResult>(std::vector<TInput>)>& runParts);

} // namespace VelBatch
