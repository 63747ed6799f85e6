#include "FormatList.h"

#include "cli/UsageError.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace VelScan {

namespace {

using Vel::TVelSymbology;

struct TFormatName {
    std::string_view Name; // as ZBar and the README print it
    TVelSymbology Symbology;
    // Whether a read without a choice reads it: ZBar reports UPC-A, UPC-E and ISBN codes as
    // EAN-13 unless asked, and add-ons alone not at all.
    bool ReadByDefault = true;
};

constexpr std::array<TFormatName, 22> FormatNames = {{
    {"EAN-13", TVelSymbology::syEan13},
    {"EAN-8", TVelSymbology::syEan8},
    {"UPC-A", TVelSymbology::syUpcA, false},
    {"UPC-E", TVelSymbology::syUpcE, false},
    {"ISBN-13", TVelSymbology::syIsbn13, false},
    {"ISBN-10", TVelSymbology::syIsbn10, false},
    {"EAN-2", TVelSymbology::syEan2, false},
    {"EAN-5", TVelSymbology::syEan5, false},
    {"I2/5", TVelSymbology::syI25},
    {"DataBar", TVelSymbology::syDataBar},
    {"DataBar-Exp", TVelSymbology::syDataBarExp},
    {"Codabar", TVelSymbology::syCodabar},
    {"CODE-39", TVelSymbology::syCode39},
    {"CODE-93", TVelSymbology::syCode93},
    {"CODE-128", TVelSymbology::syCode128},
    {"QR-Code", TVelSymbology::syQrCode},
    {"SQ-Code", TVelSymbology::sySqCode},
    {"PDF417", TVelSymbology::syPdf417},
    {"DataMatrix", TVelSymbology::syDataMatrix},
    {"Aztec", TVelSymbology::syAztec},
    {"MaxiCode", TVelSymbology::syMaxiCode},
    {"MicroQR-Code", TVelSymbology::syMicroQrCode},
}};

// The letters and digits of a name, in lower case: "QR-Code" and "qrcode" are one name.
std::string Key(std::string_view name) {
    std::string key;
    for (const char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

std::string KnownNames() {
    std::string names;
    for (const TFormatName& format : FormatNames)
        names += (names.empty() ? "" : ", ") + std::string(format.Name);
    return names;
}

TVelSymbology Symbology(std::string_view name) {
    const std::string key = Key(name);
    for (const TFormatName& format : FormatNames)
        if (!key.empty() && Key(format.Name) == key)
            return format.Symbology;
    throw VelCli::EUsageError("unknown symbology '" + std::string(name) +
                              "' in --formats; known: " + KnownNames());
}

} // namespace

std::vector<TVelSymbology> ParseFormatList(const std::string& list) {
    std::vector<TVelSymbology> named, leftOut;
    std::string_view rest = list;
    for (;;) {
        const std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        const bool exclude = item.starts_with('-');
        if (exclude || item.starts_with('+'))
            item.remove_prefix(1);
        (exclude ? leftOut : named).push_back(Symbology(item));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (named.empty())
        for (const TFormatName& format : FormatNames)
            if (format.ReadByDefault)
                named.push_back(format.Symbology);
    std::erase_if(named, [&](TVelSymbology symbology) {
        return std::find(leftOut.begin(), leftOut.end(), symbology) != leftOut.end();
    });
    if (named.empty())
        throw VelCli::EUsageError("--formats '" + list + "' leaves no symbology to read");
    return named;
}

} // namespace VelScan
