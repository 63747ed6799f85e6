#include "TextOutput.h"

namespace VelScan {

TTextOutput::TTextOutput(std::ostream& out, std::ostream& errors, bool withType)
    : FOut(out), FErrors(errors), FWithType(withType) {}

void TTextOutput::Write(const TPictureResult& result) {
    if (result.Error) {
        FErrors << "velscan: " << ShownPath(result) << ": " << *result.Error << '\n' << std::flush;
        return;
    }
    for (const auto& barcode : result.Barcodes) {
        if (FWithType)
            FOut << TypeName(barcode) << ':';
        FOut.write(reinterpret_cast<const char*>(barcode.Data.data()),
                   static_cast<std::streamsize>(barcode.Data.size()));
        FOut << '\n';
    }
    FOut << std::flush;
}

} // namespace VelScan
