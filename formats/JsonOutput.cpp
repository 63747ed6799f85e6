#include "JsonOutput.h"

#include "BarcodeBox.h"
#include "Base64.h"
#include "JsonText.h"
#include "vel/host/Utf8.h"

#include <string_view>

namespace VelScan {

namespace {

std::string_view AsText(const std::vector<std::uint8_t>& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::string BarcodeObject(const TFoundBarcode& barcode, bool allPoints) {
    const bool text = Host::IsValidUtf8(AsText(barcode.Data));
    std::string out = "{\"symbology\":" + JsonString(barcode.Symbology) +
                      ",\"addon\":" + JsonString(barcode.Addon) + ",\"data\":" +
                      (text ? JsonString(AsText(barcode.Data)) : '"' + Base64(barcode.Data) + '"') +
                      ",\"encoding\":" + (text ? "\"text\"" : "\"base64\"") +
                      ",\"quality\":" + std::to_string(barcode.Quality) +
                      ",\"orientation\":" + JsonString(barcode.Orientation) + ",\"modifiers\":[";
    for (std::size_t i = 0; i < barcode.Modifiers.size(); ++i)
        out += (i ? "," : "") + JsonString(barcode.Modifiers[i]);
    out += "],\"points\":[";
    const std::vector<TPoint> points = OutputPoints(barcode, allPoints);
    for (std::size_t i = 0; i < points.size(); ++i)
        out += (i ? ",[" : "[") + std::to_string(points[i].X) + ',' + std::to_string(points[i].Y) +
               ']';
    const Vel::TRect box = BoundingBox(barcode);
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

void TJsonOutput::Write(const TPictureResult& result) {
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

} // namespace VelScan
