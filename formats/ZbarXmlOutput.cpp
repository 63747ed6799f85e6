#include "ZbarXmlOutput.h"

#include "Base64.h"
#include "XmlText.h"

#include <string_view>

namespace VelScan {

namespace {

// zbarimg's base64 lines are 76 characters long.
constexpr std::size_t Base64LineLength = 76;

std::string_view AsText(const std::vector<std::uint8_t>& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

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

std::string DataElement(const std::vector<std::uint8_t>& data) {
    const std::string_view text = AsText(data);
    if (!IsBinary(text))
        return "<data><![CDATA[" + std::string(text) + "]]></data>";
    const std::string encoded = Base64(data);
    std::string lines;
    for (std::size_t at = 0; at < encoded.size(); at += Base64LineLength)
        lines += encoded.substr(at, Base64LineLength) + '\n';
    return "<data format='base64' length='" + std::to_string(data.size()) + "'><![CDATA[\n" +
           lines + "]]></data>";
}

// Names joined by spaces, as zbarimg lists modifiers and settings; empty for none.
std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const auto& name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

std::string SymbolElement(const TFoundBarcode& barcode) {
    std::string element = "<symbol type='" + XmlEscaped(TypeName(barcode)) + "' quality='" +
                          std::to_string(barcode.Quality) + "' orientation='" +
                          XmlEscaped(barcode.Orientation) + "'";
    if (!barcode.Modifiers.empty())
        element += " modifiers='" + XmlEscaped(Joined(barcode.Modifiers)) + "'";
    if (!barcode.Configs.empty())
        element += " configs='" + XmlEscaped(Joined(barcode.Configs)) + "'";
    return element + '>' + DataElement(barcode.Data) + "</symbol>\n";
}

} // namespace

TZbarXmlOutput::TZbarXmlOutput(std::ostream& out, std::ostream& errors)
    : FOut(out), FErrors(errors) {}

void TZbarXmlOutput::Begin() {
    FOut << "<barcodes xmlns='http://zbar.sourceforge.net/2008/barcode'>\n" << std::flush;
}

// A file's pages come one after another, in page order: a page of another file, or one not
// after the last, starts a new source.
void TZbarXmlOutput::Write(const TPictureResult& result) {
    if (FOpenPath && (*FOpenPath != result.Path || result.Page <= FLastPage))
        CloseSource();
    if (result.Error) {
        FErrors << ErrorLine(result) << std::flush;
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

void TZbarXmlOutput::OpenSource(const TPictureResult& result) {
    FOut << "<source href='" << XmlEscaped(result.Path) << "'>\n";
    FOpenPath = result.Path;
}

void TZbarXmlOutput::CloseSource() {
    FOut << "</source>\n";
    FOpenPath.reset();
    FLastPage = 0;
}

} // namespace VelScan
