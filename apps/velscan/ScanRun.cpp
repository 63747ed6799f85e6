#include "ScanRun.h"

#include "Progress.h"
#include "ResultStream.h"

#include <vel/batch/LineText.h>
#include <vel/formats/Annotation.h>
#include <vel/formats/Output.h>

#include <exception>
#include <memory>
#include <optional>
#include <utility>

namespace VelScan {

namespace {

using VelBatch::LineEscaped;
using VelBatch::TBatch;
using VelBatch::TPageResult;
using VelFormats::TOutput;

// Whether any picture or page could not be read (or only in part) and whether any barcode was
// found.
struct TTally {
    bool AnyUnreadable = false;
    bool AnyBarcode = false;

    void Add(const TPageResult& result) {
        AnyUnreadable |= result.Error.has_value() || result.Truncated;
        AnyBarcode |= !result.Barcodes.empty();
    }
    VelCli::TExitStatus Status() const {
        if (AnyUnreadable)
            return VelCli::esFileError;
        return AnyBarcode ? VelCli::esSuccess : VelCli::esNoBarcode;
    }
};

void PrintWarnings(TBatch& batch, TProgress& progress, std::ostream& err) {
    for (const auto& message : batch.TakeWarnings()) {
        progress.Clear();
        err << "velscan: " << message << '\n';
    }
}

// A picture's warning goes to standard error in every format (JSON and XML carry it too).
void PrintPictureWarning(const TPageResult& result, TProgress& progress, std::ostream& err) {
    if (!result.Warning)
        return;
    progress.Clear();
    err << "velscan: " << LineEscaped(ShownPath(result))
        << ": warning: " << LineEscaped(*result.Warning) << '\n';
}

// With -v, what ZBar wrote to standard error while scanning the picture, line by line.
void PrintZBarLines(const TPageResult& result, TProgress& progress, std::ostream& err) {
    for (const std::string& line : result.ZBarLines) {
        progress.Clear();
        err << "velscan: " << ShownPath(result) << ": zbar: " << LineEscaped(line) << '\n';
    }
}

// A picture above the pixel limit says which option raises it.
void AddHint(TPageResult& result) {
    if (result.ErrorKind == VelBatch::TErrorKind::ekPixelLimit)
        *result.Error += "; --max-pixels raises the limit";
}

VelCli::TExitStatus WriteEveryResult(TBatch& batch, TOutput& output, TProgress& progress,
                                     std::ostream& err, TTerminals terminals) {
    TTally tally;
    std::uint64_t done = 0;
    output.Begin();
    while (auto results = batch.Next()) {
        PrintWarnings(batch, progress, err);
        for (TPageResult& result : *results) {
            AddHint(result);
            PrintZBarLines(result, progress, err);
            PrintPictureWarning(result, progress, err);
            // The progress line makes way for what this result puts on the terminal.
            if (terminals.Output || (result.Error && output.ReportsErrorsApart()))
                progress.Clear();
            output.Write(result);
            tally.Add(result);
        }
        const auto [submitted, complete] = batch.Submitted();
        progress.Update(++done, submitted, complete);
    }
    PrintWarnings(batch, progress, err);
    progress.Clear();
    output.End();
    return tally.Status();
}

// Results that cannot be written, and a run error of a worker (in its input's turn, after the
// results before it), stop the run: the batch takes no more inputs and drops those not
// started, and the reason is told.
VelCli::TExitStatus WriteResults(TBatch& batch, TOutput& output, std::ostream& err,
                                 TTerminals terminals, bool quiet) {
    TProgress progress(err, terminals.Errors && !quiet);
    const auto stop = [&](const std::exception& error) {
        batch.Cancel();
        progress.Clear();
        err << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    };
    try {
        return WriteEveryResult(batch, output, progress, err, terminals);
    } catch (const EOutputError& error) {
        return stop(error);
    } catch (const VelBatch::ERunError& error) {
        return stop(error);
    }
}

// ZBar loaded, the annotation folder made and the workers started: a failure stops the run
// before any input is read.
std::unique_ptr<TBatch> StartBatch(const TOptions& options, std::istream& paths,
                                   const VelBatch::TInputFilter& keep) {
    VelBatch::LoadZBar(options.Batch.Scan.Library);
    if (options.Batch.Scan.AnnotateFolder)
        VelFormats::MakeAnnotationFolder(*options.Batch.Scan.AnnotateFolder);
    return std::make_unique<TBatch>(options.Batch, Hooks(), &paths, keep);
}

} // namespace

VelBatch::TBatchHooks Hooks() {
    return {.Annotate = VelFormats::WriteAnnotation};
}

VelCli::TExitStatus RunScan(const TOptions& options, std::istream& paths, std::ostream& out,
                            std::ostream& err, TTerminals terminals,
                            const VelBatch::TInputFilter& keep) {
    std::unique_ptr<TBatch> batch;
    try {
        batch = StartBatch(options, paths, keep);
    } catch (const std::exception& error) {
        err << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    }
    const auto output = VelFormats::MakeOutput(
        options.Format, out, err,
        {.WithPath = options.WithPath, .AllPoints = options.AllPoints, .Program = "velscan"});
    const VelCli::TExitStatus status = WriteResults(*batch, *output, err, terminals, options.Quiet);
    batch->Finish();
    return status;
}

} // namespace VelScan
