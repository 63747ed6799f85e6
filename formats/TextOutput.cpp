#include "TextOutput.h"

#include "LineText.h"

#include <string_view>

namespace VelScan {

TTextOutput::TTextOutput(std::ostream& out, std::ostream& errors, bool withType, bool withPath)
    : FOut(out), FErrors(errors), FWithType(withType), FWithPath(withPath) {}

void TTextOutput::Write(const TPictureResult& result) {
    if (result.Error) {
        FErrors << ErrorLine(result) << std::flush;
        return;
    }
    const std::string prefix = FWithPath ? LineEscaped(ShownPath(result)) + ':' : "";
    for (const auto& barcode : result.Barcodes) {
        const std::string_view data(reinterpret_cast<const char*>(barcode.Data.data()),
                                    barcode.Data.size());
        FOut << prefix;
        if (FWithType)
            FOut << TypeName(barcode) << ':' << LineEscaped(data);
        else
            FOut << data;
        FOut << '\n';
    }
    FOut << std::flush;
}

} // namespace VelScan
