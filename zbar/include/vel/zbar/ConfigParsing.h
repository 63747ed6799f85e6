// Helpers that parse one setting in ZBar's configuration syntax (e.g. "ean13.enable=0") with
// zbar_parse_config and apply it. Each returns 0 on success and ZBar's nonzero result
// otherwise; nothing is applied when the text does not parse.
#pragma once

#include "vel/host/Export.h"
#include "vel/zbar/Types.h"

namespace ZBar {

VEL_API int zbar_image_scanner_parse_config(zbar_image_scanner_t* scanner,
                                            const char* config_string);
VEL_API int zbar_decoder_parse_config(zbar_decoder_t* decoder, const char* config_string);

// No processor entry point is bound: this only tells whether the text parses (0), and the
// processor is not used.
VEL_API int zbar_processor_parse_config(zbar_processor_t* processor, const char* config_string);

} // namespace ZBar
