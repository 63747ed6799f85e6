// The text and raw formats: one line per barcode, "TYPE:DATA" or the data alone, the data's
// bytes as decoded; a picture that cannot be read is reported on the error stream.
#pragma once

#include "Output.h"

namespace VelScan {

class TTextOutput : public TOutput {
public:
    TTextOutput(std::ostream& out, std::ostream& errors, bool withType);

    void Write(const TPictureResult& result) override;
    bool ReportsErrorsApart() const override { return true; }

private:
    std::ostream& FOut;
    std::ostream& FErrors;
    bool FWithType;
};

} // namespace VelScan
