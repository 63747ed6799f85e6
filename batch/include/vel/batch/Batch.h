// The batch engine: scans many picture files, each in a worker process of its own by default
// (a crash or a hang costs that picture only), several at once, and gives their results in
// input order whatever the number of jobs, within a memory budget the workers share.
//
// Worker processes are the calling program started again (or forked from it): an embedding
// program serves as a worker by calling ServeAsWorker first thing in main, before anything
// else reads its arguments or standard input:
//
//     int main(int argc, char** argv) {
//         if (const auto status = VelBatch::ServeAsWorker(argc, argv))
//             return *status;
//         VelBatch::TBatch batch({.Paths = {"scans"}, .Recursive = true, .Jobs = 4});
//         while (const auto file = batch.Next())
//             for (const VelBatch::TPageResult& page : *file)
//                 ...;
//         batch.Finish();
//     }
#pragma once

#include "vel/batch/Errors.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"
#include "vel/host/Export.h"
#include "vel/host/Picture.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace VelBatch {

// Called with each page's picture and result, in the process that scanned it, when the scan
// settings name an annotation folder; gives back a warning for the page, if any.
using TAnnotate = std::function<std::optional<std::string>(
    Host::TPicture& picture, const TPageResult& page, const TScanSettings& settings)>;

// What the program adds to the scan of each page. Worker processes get the hooks given to
// ServeAsWorker, the caller's process (without isolation) those given to TBatch.
struct TBatchHooks {
    TAnnotate Annotate{};
};

// Serves as a worker process when the program was started as one (its first argument says so):
// returns the worker's exit status then, nullopt otherwise.
VEL_API std::optional<int> ServeAsWorker(int argc, char** argv, const TBatchHooks& hooks = {});

// Loads ZBar from the library file, else the component's default file. Throws ERunError
// "cannot load ZBar from NAME: REASON; install libzbar0 (Debian/Ubuntu) or set --library".
VEL_API void LoadZBar(const std::optional<std::string>& library);

// Whether an input is scanned (a resumed run skips those it has); empty: every one.
using TInputFilter = std::function<bool(const TInput&)>;

class VEL_API TBatch {
public:
    // Loads ZBar and starts the workers, then lists the inputs on a thread of its own: the
    // paths, with "-" read from `paths` (one that outlives the batch; none: "-" lists
    // nothing), and the picture on standard input first. Only the inputs of the shard that
    // `keep` takes are scanned. Throws ERunError when a worker cannot be started, EConfigError
    // for a configuration text ZBar refuses, before any input is read.
    explicit TBatch(TBatchSettings settings, TBatchHooks hooks = {}, std::istream* paths = nullptr,
                    TInputFilter keep = {});
    // Stops the run: inputs not started are dropped, the workers end.
    ~TBatch();
    TBatch(const TBatch&) = delete;
    TBatch& operator=(const TBatch&) = delete;

    // The next input's results, in input order, as soon as they are there; nullopt once every
    // input is done. Throws ERunError when the run cannot go on (a worker that cannot be
    // started again), in that input's turn.
    std::optional<TFileResult> Next();
    // Messages of the listing (a folder without pictures) since the last call.
    std::vector<std::string> TakeWarnings();
    // How many inputs were listed so far, and whether the listing is complete.
    std::pair<std::uint64_t, bool> Submitted() const;
    // Takes no more inputs and drops those not started.
    void Cancel();
    // Waits for the listing to end and throws what stopped it (a list that cannot be read).
    void Finish();

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

} // namespace VelBatch
