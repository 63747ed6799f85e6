// The workers of a run: each scans one file at a time, in a worker process of its own by
// default, or on a thread of velscan's process without isolation. Every worker holds its
// picture's memory in the run's budget while it reads and scans it.
#pragma once

#include "Inputs.h"
#include "MemoryBudget.h"
#include "Options.h"
#include "PictureScanner.h"
#include "ScanResult.h"

#include <functional>
#include <vector>

namespace VelScan {

using TWorker = std::function<TFileResult(const TInput&)>;

// The number of jobs at once: -j, else one per core. A run starts no more workers than it has
// inputs, when the paths given tell how many.
unsigned JobCount(const TOptions& options);

// ZBar must be loaded. Throws EConfigError for a setting ZBar refuses, before any worker
// process starts, and ERunError when one cannot be started.
std::vector<TWorker> MakeWorkers(const TOptions& options);

} // namespace VelScan
