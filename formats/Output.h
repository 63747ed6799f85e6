// The output formats: each writes the results of a run, one picture at a time, in order.
#pragma once

#include "Options.h"
#include "ScanResult.h"

#include <memory>
#include <ostream>

namespace VelScan {

class TOutput {
public:
    virtual ~TOutput() = default;

    virtual void Begin() {}
    // Writes one picture's results (or its error) and flushes them.
    virtual void Write(const TPictureResult& result) = 0;
    virtual void End() {}
    // Whether a picture's error goes to the error stream rather than into the output.
    virtual bool ReportsErrorsApart() const { return false; }
};

// What the options choose of the output beside its format.
struct TOutputChoices {
    bool WithPath = false;  // each line of the text formats starts with the path and ':'
    bool AllPoints = false; // JSON and XML give every outline point, not the outline's hull
};

// The output for a format: results go to `out`; the text formats report errors on `errors`.
std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                    TOutputChoices choices = {});

// The points JSON and XML give of a barcode: its outline's hull, or every point.
std::vector<TPoint> OutputPoints(const TFoundBarcode& barcode, bool allPoints);

// The line a picture's error takes on standard error: "velscan: PATH: MESSAGE" and a newline.
std::string ErrorLine(const TPictureResult& result);

// The barcode's type as ZBar's own tool prints it: the symbology name, then the add-on's.
std::string TypeName(const TFoundBarcode& barcode);

} // namespace VelScan
