// A batch run to its end: every file's results, in the order the batch gives them.
#pragma once

#include "vel/batch/Batch.h"

#include <utility>
#include <vector>

namespace BatchTest {

inline std::vector<VelBatch::TFileResult> RunToEnd(VelBatch::TBatchSettings settings) {
    VelBatch::TBatch batch(std::move(settings));
    std::vector<VelBatch::TFileResult> files;
    while (auto file = batch.Next())
        files.push_back(std::move(*file));
    batch.Finish();
    return files;
}

} // namespace BatchTest
