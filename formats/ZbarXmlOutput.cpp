#include "ZbarXmlOutput.h"

#include "BarcodeNames.h"
#include "Base64.h"
#include "XmlText.h"

#include <string_view>

namespace VelFormats {

namespace {

// zbarimg's base64 lines are 76 characters long.
constexpr std::size_t Base64LineLength = 76;

// Whether zbarimg would write the data as base64 rather than in CDATA, or XML could not carry
// it as it is.
bool IsBinary(std::string_view data) {
    if (data.starts_with("\xff\xfe") || data.starts_with("\xfe\xff") || data.starts_with("<?xml") ||
        data.find("]]>") != std::string_view::npos)
        return true;
    for (const char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') ||
            (byte >= 0x7f && byte < 0xa0))
            return true;
    }
    return !IsXmlText(data);
}

std::string DataElement(const std::string& data) {
    if (!IsBinary(data))
        return "<data><![CDATA[" + data + "]]></data>";
    const std::string encoded = Base64(data);
    std::string lines;
    for (std::size_t at = 0; at < encoded.size(); at += Base64LineLength)
        lines += encoded.substr(at, Base64LineLength) + '\n';
    return "<data format='base64' length='" + std::to_string(data.size()) + "'><![CDATA[\n" +
           lines + "]]></data>";
}

// zbarimg lists modifiers and settings joined by spaces.
std::string SymbolElement(const Vel::TBarcode& barcode) {
    std::string element = "<symbol type='" + XmlEscaped(TypeName(barcode)) + "' quality='" +
                          std::to_string(barcode.Quality) + "' orientation='" +
                          XmlEscaped(barcode.OrientationName) + "'";
    if (!barcode.Modifiers.Empty())
        element += " modifiers='" + XmlEscaped(SpaceJoined(ModifierNames(barcode))) + "'";
    if (!barcode.Configs.empty())
        element += " configs='" + XmlEscaped(SpaceJoined(ConfigNames(barcode))) + "'";
    return element + '>' + DataElement(barcode.Data) + "</symbol>\n";
}

} // namespace

TZbarXmlOutput::TZbarXmlOutput(std::ostream& out, std::ostream& errors, std::string program)
    : FOut(out), FErrors(errors), FProgram(std::move(program)) {}

void TZbarXmlOutput::Begin() {
    FOut << "<barcodes xmlns='http://zbar.sourceforge.net/2008/barcode'>\n" << std::flush;
}

// A file's pages come one after another, in page order: a page of another file, or one not
// after the last, starts a new source.
void TZbarXmlOutput::Write(const TPageResult& result) {
    if (FOpenPath && (*FOpenPath != result.Path || result.Page <= FLastPage))
        CloseSource();
    if (result.Error) {
        FErrors << ErrorLine(FProgram, result) << std::flush;
        return;
    }
    if (!FOpenPath)
        OpenSource(result);
    FLastPage = result.Page;
    if (!result.Barcodes.empty()) {
        FOut << "<index num='" << std::max(result.Page - 1, 0) << "'>\n";
        for (const auto& barcode : result.Barcodes)
            FOut << SymbolElement(barcode);
        FOut << "</index>\n";
    }
    FOut << std::flush;
}

void TZbarXmlOutput::End() {
    if (FOpenPath)
        CloseSource();
    FOut << "</barcodes>\n" << std::flush;
}

void TZbarXmlOutput::OpenSource(const TPageResult& result) {
    FOut << "<source href='" << XmlEscaped(result.Path) << "'>\n";
    FOpenPath = result.Path;
}

void TZbarXmlOutput::CloseSource() {
    FOut << "</source>\n";
    FOpenPath.reset();
    FLastPage = 0;
}

} // namespace VelFormats
