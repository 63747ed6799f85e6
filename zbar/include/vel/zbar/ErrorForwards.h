// Per-object error functions of ZBar's interface: each hands its arguments unchanged to
// ZBar's generic error entry and returns its result unchanged.
#pragma once

#include "vel/host/Export.h"
#include "vel/zbar/Enums.h"
#include "vel/zbar/Types.h"

namespace ZBar {

VEL_API int zbar_processor_error_spew(const zbar_processor_t* processor, int verbosity);
VEL_API const char* zbar_processor_error_string(const zbar_processor_t* processor, int verbosity);
VEL_API zbar_error_t zbar_processor_get_error_code(const zbar_processor_t* processor);

VEL_API int zbar_video_error_spew(const zbar_video_t* video, int verbosity);
VEL_API const char* zbar_video_error_string(const zbar_video_t* video, int verbosity);
VEL_API zbar_error_t zbar_video_get_error_code(const zbar_video_t* video);

VEL_API int zbar_window_error_spew(const zbar_window_t* window, int verbosity);
VEL_API const char* zbar_window_error_string(const zbar_window_t* window, int verbosity);
VEL_API zbar_error_t zbar_window_get_error_code(const zbar_window_t* window);

} // namespace ZBar
