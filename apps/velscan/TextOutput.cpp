#include "TextOutput.h"

#include "LineText.h"

#include <string_view>

namespace VelScan {

TTextOutput::TTextOutput(std::ostream& out, std::ostream& errors, bool withType, bool withPath)
    : FOut(out), FErrors(errors), FWithType(withType), FWithPath(withPath) {}

void TTextOutput::Write(const TPictureResult& result) {
    if (result.Error) {
        // The message may name the path again: it is escaped whole, so that a path's control
        // bytes never reach the terminal and each error stays one line.
        FErrors << "velscan: " << LineEscaped(ShownPath(result)) << ": "
                << LineEscaped(*result.Error) << '\n'
                << std::flush;
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
