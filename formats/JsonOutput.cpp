#include "JsonOutput.h"

#include "BarcodeNames.h"
#include "Base64.h"
#include "JsonText.h"
#include "vel/host/Utf8.h"

#include <string_view>

namespace VelFormats {

namespace {

std::string BarcodeObject(const Vel::TBarcode& barcode, bool allPoints) {
    const bool text = barcode.IsText();
    std::string out =
        "{\"symbology\":" + JsonString(barcode.SymbologyName) +
        ",\"addon\":" + JsonString(barcode.SymbologyAddonName) +
        ",\"data\":" + (text ? JsonString(barcode.Data) : '"' + Base64(barcode.Data) + '"') +
        ",\"encoding\":" + (text ? "\"text\"" : "\"base64\"") +
        ",\"quality\":" + std::to_string(barcode.Quality) +
        ",\"orientation\":" + JsonString(barcode.OrientationName) + ",\"modifiers\":[";
    const std::vector<std::string> modifiers = ModifierNames(barcode);
    for (std::size_t i = 0; i < modifiers.size(); ++i)
        out += (i ? "," : "") + JsonString(modifiers[i]);
    out += "],\"points\":[";
    const std::vector<Vel::TPoint> points = OutputPoints(barcode, allPoints);
    for (std::size_t i = 0; i < points.size(); ++i)
        out += (i ? ",[" : "[") + std::to_string(points[i].X) + ',' + std::to_string(points[i].Y) +
               ']';
    const Vel::TRect box = barcode.BoundingBox();
    out += "],\"box\":[" + std::to_string(box.Left) + ',' + std::to_string(box.Top) + ',' +
           std::to_string(box.Width) + ',' + std::to_string(box.Height);
    return out + "],\"pass\":" + JsonString(barcode.Pass) + '}';
}

// A path that is not UTF-8 shows with U+FFFD in "path", which two paths may share; its
// bytes then follow exactly in "path_base64".
std::string PathFields(const std::string& path) {
    std::string fields = "\"path\":" + JsonString(path);
    if (!Host::IsValidUtf8(path))
        fields += ",\"path_base64\":\"" + Base64(path) + '"';
    return fields;
}

} // namespace

void TJsonOutput::Write(const TPageResult& result) {
    std::string line = '{' + PathFields(result.Path);
    if (result.Page > 0)
        line += ",\"page\":" + std::to_string(result.Page) +
                ",\"pages\":" + std::to_string(result.Pages);
    if (result.Error) {
        line += ",\"error\":" + JsonString(*result.Error);
    } else {
        line += ",\"width\":" + std::to_string(result.Width) +
                ",\"height\":" + std::to_string(result.Height) + ",\"barcodes\":[";
        for (std::size_t i = 0; i < result.Barcodes.size(); ++i)
            line += (i ? "," : "") + BarcodeObject(result.Barcodes[i], FAllPoints);
        line += ']';
        if (result.Warning)
            line += ",\"warning\":" + JsonString(*result.Warning);
    }
    FOut << line << "}\n" << std::flush;
}

} // namespace VelFormats
