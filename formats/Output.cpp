#include "vel/formats/Output.h"

#include "JsonOutput.h"
#include "TextOutput.h"
#include "XmlOutput.h"
#include "ZbarXmlOutput.h"
#include "vel/batch/LineText.h"

namespace VelFormats {

std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                    TOutputChoices choices) {
    switch (format) {
    case TFormat::Text:
        return std::make_unique<TTextOutput>(out, errors, true, choices);
    case TFormat::Raw:
        return std::make_unique<TTextOutput>(out, errors, false, choices);
    case TFormat::Json:
        return std::make_unique<TJsonOutput>(out, choices.AllPoints);
    case TFormat::Xml:
        return std::make_unique<TXmlOutput>(out, choices.AllPoints);
    case TFormat::ZbarXml:
        return std::make_unique<TZbarXmlOutput>(out, errors, choices.Program);
    }
    return nullptr;
}

// The message may name the path again: it is escaped whole, so that a path's control bytes
// never reach the terminal and each error stays one line.
std::string ErrorLine(const std::string& program, const TPageResult& result) {
    return (program.empty() ? "" : program + ": ") + VelBatch::LineEscaped(ShownPath(result)) +
           ": " + VelBatch::LineEscaped(*result.Error) + '\n';
}

std::vector<Vel::TPoint> OutputPoints(const Vel::TBarcode& barcode, bool allPoints) {
    return allPoints ? barcode.Outline : barcode.Hull();
}

std::string TypeName(const Vel::TBarcode& barcode) {
    return barcode.SymbologyName + barcode.SymbologyAddonName;
}

} // namespace VelFormats
