// ZBar's opaque object types and the callback types its interface takes, declared by the
// binding itself so that nothing includes ZBar's header.
#pragma once

namespace ZBar {

struct zbar_symbol_s;
struct zbar_symbol_set_s;
struct zbar_image_s;
struct zbar_image_scanner_s;
struct zbar_decoder_s;
struct zbar_scanner_s;
struct zbar_processor_s;
struct zbar_video_s;
struct zbar_window_s;

typedef zbar_symbol_s zbar_symbol_t;
typedef zbar_symbol_set_s zbar_symbol_set_t;
typedef zbar_image_s zbar_image_t;
typedef zbar_image_scanner_s zbar_image_scanner_t;
typedef zbar_decoder_s zbar_decoder_t;
typedef zbar_scanner_s zbar_scanner_t;
typedef zbar_processor_s zbar_processor_t;
typedef zbar_video_s zbar_video_t;
typedef zbar_window_s zbar_window_t;

// Called by ZBar when an image's data is no longer needed (argument of zbar_image_set_data).
typedef void(zbar_image_cleanup_handler_t)(zbar_image_t* image);

// Called by the image scanner with each image that has results.
typedef void(zbar_image_data_handler_t)(zbar_image_t* image, const void* userdata);

// Called by the decoder for each symbol it decodes.
typedef void(zbar_decoder_handler_t)(zbar_decoder_t* decoder);

} // namespace ZBar
