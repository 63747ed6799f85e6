#include "TextOutput.h"

#include "vel/batch/LineText.h"

#include <string_view>

namespace VelFormats {

TTextOutput::TTextOutput(std::ostream& out, std::ostream& errors, bool withType,
                         const TOutputChoices& choices)
    : FOut(out), FErrors(errors), FWithType(withType), FWithPath(choices.WithPath),
      FProgram(choices.Program) {}

void TTextOutput::Write(const TPageResult& result) {
    if (result.Error) {
        FErrors << ErrorLine(FProgram, result) << std::flush;
        return;
    }
    const std::string prefix = FWithPath ? VelBatch::LineEscaped(ShownPath(result)) + ':' : "";
    for (const auto& barcode : result.Barcodes) {
        const std::string& data = barcode.Data;
        FOut << prefix;
        if (FWithType)
            FOut << TypeName(barcode) << ':' << VelBatch::LineEscaped(data);
        else
            FOut << data;
        FOut << '\n';
    }
    FOut << std::flush;
}

} // namespace VelFormats
