// The text and raw formats: one line per barcode, "TYPE:DATA" or the data alone, optionally
// after the picture's path ("PATH:TYPE:DATA", "PATH:DATA"). In text, the data's bytes that
// would break the line are escaped (LineEscaped); raw gives them as decoded. The path is
// escaped in both. A picture that cannot be read is reported on the error stream.
#pragma once

#include "vel/formats/Output.h"

namespace VelFormats {

class TTextOutput : public TOutput {
public:
    TTextOutput(std::ostream& out, std::ostream& errors, bool withType,
                const TOutputChoices& choices);

    void Write(const TPageResult& result) override;
    bool ReportsErrorsApart() const override { return true; }

private:
    std::ostream& FOut;
    std::ostream& FErrors;
    bool FWithType;
    bool FWithPath;
    std::string FProgram;
};

} // namespace VelFormats
