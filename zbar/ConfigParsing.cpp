#include "vel/zbar/ConfigParsing.h"

#include "vel/Loader.h"
#include "vel/ZBarEntries.h"

namespace ZBar {

namespace {

// One setting as ZBar's parser yields it; each out-value has ZBar's own width.
struct TParsedConfig {
    zbar_symbol_type_t Symbology = ZBAR_NONE;
    zbar_config_t Config = ZBAR_CFG_ENABLE;
    int Value = 0;
};

int Parse(const char* configString, TParsedConfig& parsed) {
    Vel::CheckLoaded();
    return Vel::zbar_parse_config(configString, &parsed.Symbology, &parsed.Config, &parsed.Value);
}

} // namespace

int zbar_image_scanner_parse_config(zbar_image_scanner_t* scanner, const char* config_string) {
    TParsedConfig parsed;
    if (const int result = Parse(config_string, parsed); result != 0)
        return result;
    return Vel::zbar_image_scanner_set_config(scanner, parsed.Symbology, parsed.Config,
                                              parsed.Value);
}

int zbar_decoder_parse_config(zbar_decoder_t* decoder, const char* config_string) {
    TParsedConfig parsed;
    if (const int result = Parse(config_string, parsed); result != 0)
        return result;
    return Vel::zbar_decoder_set_config(decoder, parsed.Symbology, parsed.Config, parsed.Value);
}

int zbar_processor_parse_config(zbar_processor_t*, const char* config_string) {
    TParsedConfig parsed;
    return Parse(config_string, parsed);
}

} // namespace ZBar
