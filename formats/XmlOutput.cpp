#include "XmlOutput.h"

#include "BarcodeNames.h"
#include "Base64.h"
#include "XmlText.h"

#include <string_view>

namespace VelFormats {

namespace {

std::string Attribute(std::string_view name, std::string_view value) {
    return ' ' + std::string(name) + "=\"" + XmlEscaped(value) + '"';
}

std::string Attribute(std::string_view name, int value) {
    return Attribute(name, std::to_string(value));
}

std::string DataElement(const std::string& data) {
    if (IsXmlText(data))
        return "<data encoding=\"text\">" + XmlEscaped(data) + "</data>";
    return "<data encoding=\"base64\">" + Base64(data) + "</data>";
}

std::string BarcodeElement(const Vel::TBarcode& barcode, bool allPoints) {
    std::string out =
        "  <barcode" + Attribute("symbology", barcode.SymbologyName) +
        Attribute("addon", barcode.SymbologyAddonName) + Attribute("quality", barcode.Quality) +
        Attribute("orientation", barcode.OrientationName) +
        Attribute("modifiers", SpaceJoined(ModifierNames(barcode))) +
        Attribute("pass", barcode.Pass) + ">\n    " + DataElement(barcode.Data) + "\n    <points>";
    for (const auto& point : OutputPoints(barcode, allPoints))
        out += "<point" + Attribute("x", point.X) + Attribute("y", point.Y) + "/>";
    const Vel::TRect box = barcode.BoundingBox();
    out += "</points>\n    <box" + Attribute("left", box.Left) + Attribute("top", box.Top) +
           Attribute("width", box.Width) + Attribute("height", box.Height) + "/>";
    return out + "\n  </barcode>\n";
}

// A path that XML cannot carry as it is shows with U+FFFD in path, which two paths may share;
// its bytes then follow exactly in path_base64.
std::string PathAttributes(const std::string& path) {
    std::string attributes = Attribute("path", path);
    if (!IsXmlText(path))
        attributes += Attribute("path_base64", Base64(path));
    return attributes;
}

} // namespace

void TXmlOutput::Begin() {
    FOut << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<velscan version=\"" << VEL_VERSION
         << "\">\n"
         << std::flush;
}

void TXmlOutput::Write(const TPageResult& result) {
    std::string element = "<picture" + PathAttributes(result.Path);
    if (result.Page > 0)
        element += Attribute("page", result.Page) + Attribute("pages", result.Pages);
    if (result.Error) {
        element += ">\n  <error>" + XmlEscaped(*result.Error) + "</error>\n</picture>\n";
    } else {
        element += Attribute("width", result.Width) + Attribute("height", result.Height) + ">\n";
        for (const auto& barcode : result.Barcodes)
            element += BarcodeElement(barcode, FAllPoints);
        if (result.Warning)
            element += "  <warning>" + XmlEscaped(*result.Warning) + "</warning>\n";
        element += "</picture>\n";
    }
    FOut << element << std::flush;
}

void TXmlOutput::End() {
    FOut << "</velscan>\n" << std::flush;
}

} // namespace VelFormats
