#include "Output.h"

#include "JsonOutput.h"
#include "TextOutput.h"
#include "XmlOutput.h"

namespace VelScan {

std::unique_ptr<TOutput> MakeOutput(TFormat format, std::ostream& out, std::ostream& errors,
                                    bool withPath) {
    switch (format) {
    case TFormat::Text:
        return std::make_unique<TTextOutput>(out, errors, true, withPath);
    case TFormat::Raw:
        return std::make_unique<TTextOutput>(out, errors, false, withPath);
    case TFormat::Json:
        return std::make_unique<TJsonOutput>(out);
    case TFormat::Xml:
        return std::make_unique<TXmlOutput>(out);
    }
    return nullptr;
}

std::string TypeName(const TFoundBarcode& barcode) {
    return barcode.Symbology + barcode.Addon;
}

} // namespace VelScan
