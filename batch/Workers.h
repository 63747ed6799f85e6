// The workers of a run: each scans one file, or one page of a many-page file, at a time, in a
// worker process of its own by default, or on a thread of the caller's process without
// isolation. Every worker holds its picture's memory in the run's budget while it reads and
// scans it.
#pragma once

#include "vel/batch/Batch.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"

#include <functional>
#include <vector>

namespace VelBatch {

using TWorker = std::function<TFileResult(const TInput&)>;

// The number of jobs at once: the settings' jobs, else one per core.
unsigned JobCount(const TBatchSettings& settings);

// ZBar must be loaded. A run starts no more workers than it has inputs, when the paths given
// tell how many. Throws EConfigError for a setting ZBar refuses, before any worker process
// starts, and ERunError when one cannot be started.
std::vector<TWorker> MakeWorkers(const TBatchSettings& settings, const TBatchHooks& hooks);

} // namespace VelBatch
