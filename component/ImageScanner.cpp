#include "vel/ImageScanner.h"

#include "Check.h"
#include "Conversions.h"
#include "vel/Image.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ConfigParsing.h"

namespace Vel {

TVelImageScanner::TVelImageScanner() {
    FGeneration = CheckLoaded();
    FHandle = zbar_image_scanner_create();
    Check(FHandle != nullptr, TVelMessage::msCantCreateImageScanner);
}

TVelImageScanner::~TVelImageScanner() {
    if (FHandle != nullptr && LoadedAs(FGeneration))
        zbar_image_scanner_destroy(FHandle);
}

void TVelImageScanner::EnableCache() {
    CheckLoadedAs(FGeneration);
    zbar_image_scanner_enable_cache(FHandle, 1);
}

void TVelImageScanner::DisableCache() {
    CheckLoadedAs(FGeneration);
    zbar_image_scanner_enable_cache(FHandle, 0);
}

void TVelImageScanner::Configure(TVelSymbology symbology, TVelSymbologyAddon addon,
                                 TVelConfig config, int value) {
    CheckLoadedAs(FGeneration);
    const int result = zbar_image_scanner_set_config(
        FHandle, SymbolTypeCode(symbology, addon), static_cast<ZBar::zbar_config_t>(config), value);
    Check(result == 0, TVelMessage::msConfigurationError);
}

void TVelImageScanner::Configure(const Host::String& config) {
    CheckLoadedAs(FGeneration);
    const Host::AnsiString text = Host::ToAnsi(config);
    // ZBar reads the text only up to a NUL, which would apply part of it silently.
    Check(text.find('\0') == Host::AnsiString::npos, TVelMessage::msConfigurationError);
    const int result = ZBar::zbar_image_scanner_parse_config(FHandle, text.c_str());
    Check(result == 0, TVelMessage::msConfigurationError);
}

int TVelImageScanner::Scan(TVelImage* image) {
    CheckLoadedAs(FGeneration);
    Check(image != nullptr, TVelMessage::msNoImageToScan);
    const int result = zbar_scan_image(FHandle, image->Handle());
    Check(result >= 0, TVelMessage::msScanError);
    return result;
}

} // namespace Vel
