#include "Output.h"

#include "BarcodeBox.h"
#include "JsonOutput.h"
#include "LineText.h"
#include "TextOutput.h"
#include "XmlOutput.h"
#include "ZbarXmlOutput.h"

namespace VelScan {

std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                    TOutputChoices choices) {
    switch (format) {
    case TFormat::Text:
        return std::make_unique<TTextOutput>(out, errors, true, choices.WithPath);
    case TFormat::Raw:
        return std::make_unique<TTextOutput>(out, errors, false, choices.WithPath);
    case TFormat::Json:
        return std::make_unique<TJsonOutput>(out, choices.AllPoints);
    case TFormat::Xml:
        return std::make_unique<TXmlOutput>(out, choices.AllPoints);
    case TFormat::ZbarXml:
        return std::make_unique<TZbarXmlOutput>(out, errors);
    }
    return nullptr;
}

// The message may name the path again: it is escaped whole, so that a path's control bytes
// never reach the terminal and each error stays one line.
std::string ErrorLine(const TPictureResult& result) {
    return "velscan: " + LineEscaped(ShownPath(result)) + ": " + LineEscaped(*result.Error) + '\n';
}

std::vector<TPoint> OutputPoints(const TFoundBarcode& barcode, bool allPoints) {
    return allPoints ? barcode.Outline : OutlineHull(barcode);
}

std::string TypeName(const TFoundBarcode& barcode) {
    return barcode.Symbology + barcode.Addon;
}

} // namespace VelScan
