// The output formats: each writes the results of a batch, one page at a time, in order. The
// JSON format's lines are what JsonEntry.h reads back (to resume a run, or to merge shards).
#pragma once

#include "vel/batch/Result.h"
#include "vel/host/Export.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace VelFormats {

using VelBatch::TPageResult;

enum class TFormat { Text, Raw, Json, Xml, ZbarXml };

class VEL_API TOutput {
public:
    virtual ~TOutput() = default;

    virtual void Begin() {}
    // Writes one page's results (or its error) and flushes them.
    virtual void Write(const TPageResult& result) = 0;
    virtual void End() {}
    // Whether a page's error goes to the error stream rather than into the output.
    virtual bool ReportsErrorsApart() const { return false; }
};

// What is chosen of the output beside its format.
struct TOutputChoices {
    bool WithPath = false;  // each line of the text formats starts with the path and ':'
    bool AllPoints = false; // JSON and XML give every outline point, not the outline's hull
    std::string Program{};  // the program named in front of the error lines; none when empty
};

// The output for a format: results go to `out`; the text formats report errors on `errors`.
VEL_API std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                            TOutputChoices choices = {});

// The points JSON and XML give of a barcode: its outline's hull, or every point.
std::vector<Vel::TPoint> OutputPoints(const Vel::TBarcode& barcode, bool allPoints);

// The line a page's error takes on the error stream: "PROGRAM: PATH: MESSAGE" and a newline.
VEL_API std::string ErrorLine(const std::string& program, const TPageResult& result);

// The barcode's type as ZBar's own tool prints it: the symbology name, then the add-on's.
VEL_API std::string TypeName(const Vel::TBarcode& barcode);

} // namespace VelFormats
