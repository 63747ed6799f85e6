#include "ScanRun.h"

#include "Annotation.h"
#include "GuardedScan.h"
#include "Inputs.h"
#include "LineText.h"
#include "OrderedPool.h"
#include "Output.h"
#include "Progress.h"
#include "ResultStream.h"
#include "Shard.h"
#include "StdinPicture.h"
#include "Workers.h"
#include "ZBarLoading.h"

#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>
#include <utility>

namespace VelScan {

namespace {

using TPool = TOrderedPool<TInput, TFileResult>;

// Messages from the thread that lists the inputs, printed by the writing thread.
class TWarnings {
public:
    void Add(std::string message) {
        std::lock_guard lock(FMutex);
        FMessages.push_back(std::move(message));
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(FMutex);
        return std::exchange(FMessages, {});
    }

private:
    std::mutex FMutex;
    std::vector<std::string> FMessages;
};

// Whether any picture or page could not be read (or only in part) and whether any barcode was
// found.
struct TTally {
    bool AnyUnreadable = false;
    bool AnyBarcode = false;

    void Add(const TPictureResult& result) {
        AnyUnreadable |= result.Error.has_value() || result.Truncated;
        AnyBarcode |= !result.Barcodes.empty();
    }
    VelCli::TExitStatus Status() const {
        if (AnyUnreadable)
            return VelCli::esFileError;
        return AnyBarcode ? VelCli::esSuccess : VelCli::esNoBarcode;
    }
};

void PrintWarnings(TWarnings& warnings, TProgress& progress, std::ostream& err) {
    for (const auto& message : warnings.Take()) {
        progress.Clear();
        err << "velscan: " << message << '\n';
    }
}

// A picture's warning goes to standard error in every format (JSON and XML carry it too).
void PrintPictureWarning(const TPictureResult& result, TProgress& progress, std::ostream& err) {
    if (!result.Warning)
        return;
    progress.Clear();
    err << "velscan: " << LineEscaped(ShownPath(result))
        << ": warning: " << LineEscaped(*result.Warning) << '\n';
}

// With -v, what ZBar wrote to standard error while scanning the picture, line by line.
void PrintZBarLines(const TPictureResult& result, TProgress& progress, std::ostream& err) {
    for (const std::string& line : result.ZBarLines) {
        progress.Clear();
        err << "velscan: " << ShownPath(result) << ": zbar: " << LineEscaped(line) << '\n';
    }
}

VelCli::TExitStatus WriteEveryResult(TPool& pool, TOutput& output, TWarnings& warnings,
                                     TProgress& progress, std::ostream& err, TTerminals terminals) {
    TTally tally;
    std::uint64_t done = 0;
    output.Begin();
    while (auto results = pool.Next()) {
        PrintWarnings(warnings, progress, err);
        for (const TPictureResult& result : *results) {
            PrintZBarLines(result, progress, err);
            PrintPictureWarning(result, progress, err);
            // The progress line makes way for what this result puts on the terminal.
            if (terminals.Output || (result.Error && output.ReportsErrorsApart()))
                progress.Clear();
            output.Write(result);
            tally.Add(result);
        }
        const auto [submitted, complete] = pool.Submitted();
        progress.Update(++done, submitted, complete);
    }
    PrintWarnings(warnings, progress, err);
    progress.Clear();
    output.End();
    return tally.Status();
}

// Results that cannot be written, and a run error of a worker (in its input's turn, after the
// results before it), stop the run: the pool takes no more inputs and drops those not
// started, and the reason is told.
VelCli::TExitStatus WriteResults(TPool& pool, TOutput& output, TWarnings& warnings,
                                 std::ostream& err, TTerminals terminals, bool quiet) {
    TProgress progress(err, terminals.Errors && !quiet);
    const auto stop = [&](const std::exception& error) {
        pool.Cancel();
        progress.Clear();
        err << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    };
    try {
        return WriteEveryResult(pool, output, warnings, progress, err, terminals);
    } catch (const EOutputError& error) {
        return stop(error);
    } catch (const ERunError& error) {
        return stop(error);
    }
}

// Thrown by the lister's emit once the pool takes no more inputs, to end the listing.
struct TListingStopped {};

// Whether the run scans the input. An input is sharded by its path as emitted: a folder's
// pictures each by its own path, a folder that cannot be listed by the folder's.
bool Selected(const TInput& input, const TOptions& options, const TInputFilter& keep) {
    return (!options.Shard || InShard(input.Path, *options.Shard)) && (!keep || keep(input));
}

} // namespace

VelCli::TExitStatus RunScan(const TOptions& options, std::istream& paths, std::ostream& out,
                            std::ostream& err, TTerminals terminals, const TInputFilter& keep) {
    std::vector<TWorker> workers;
    try {
        LoadZBar(options.Library);
        if (options.AnnotateFolder)
            MakeAnnotationFolder(*options.AnnotateFolder);
        workers = MakeWorkers(options);
    } catch (const std::exception& error) {
        err << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    }

    const auto output = MakeOutput(options.Format, out, err,
                                   {.WithPath = options.WithPath, .AllPoints = options.AllPoints});
    std::optional<TStdinPicture> stdinPicture;
    if (options.StdinPicture)
        stdinPicture.emplace(STDIN_FILENO, MaxStdinPictureBytes(options.MaxPixels));
    TWarnings warnings;
    const std::size_t window = 4 * workers.size();
    TPool pool(std::move(workers), window);
    std::exception_ptr listingFailure;
    // The paths are read on another thread, so reading them must not flush the output
    // stream tied to them (std::cin is tied to std::cout) while results are written.
    paths.tie(nullptr);
    std::thread lister([&] {
        const auto submit = [&](TInput input) {
            if (Selected(input, options, keep) && !pool.Submit(std::move(input)))
                throw TListingStopped();
        };
        try {
            if (stdinPicture)
                submit(stdinPicture->Input());
            ReadInputs(options.Paths, options.Recursive, options.PathList, paths, submit,
                       [&warnings](const std::string& message) { warnings.Add(message); });
        } catch (const TListingStopped&) {
        } catch (...) {
            listingFailure = std::current_exception();
        }
        pool.Close();
    });
    const VelCli::TExitStatus status =
        WriteResults(pool, *output, warnings, err, terminals, options.Quiet);
    lister.join();
    if (listingFailure)
        std::rethrow_exception(listingFailure);
    return status;
}

} // namespace VelScan
