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

// The output for a format: results go to `out`; the text formats report errors on `errors`.
// With withPath, each line of the text formats starts with the picture's shown path and ':'.
std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                    bool withPath = false);

// The line a picture's error takes on standard error: "velscan: PATH: MESSAGE" and a newline.
std::string ErrorLine(const TPictureResult& result);

// The barcode's type as ZBar's own tool prints it: the symbology name, then the add-on's.
std::string TypeName(const TFoundBarcode& barcode);

} // namespace VelScan
