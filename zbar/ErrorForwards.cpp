#include "vel/zbar/ErrorForwards.h"

#include "vel/Loader.h"
#include "vel/ZBarEntries.h"

namespace ZBar {

namespace {

int ErrorSpew(const void* object, int verbosity) {
    Vel::CheckLoaded();
    return Vel::_zbar_error_spew(object, verbosity);
}

const char* ErrorString(const void* object, int verbosity) {
    Vel::CheckLoaded();
    return Vel::_zbar_error_string(object, verbosity);
}

zbar_error_t ErrorCode(const void* object) {
    Vel::CheckLoaded();
    return Vel::_zbar_get_error_code(object);
}

} // namespace

int zbar_processor_error_spew(const zbar_processor_t* processor, int verbosity) {
    return ErrorSpew(processor, verbosity);
}
const char* zbar_processor_error_string(const zbar_processor_t* processor, int verbosity) {
    return ErrorString(processor, verbosity);
}
zbar_error_t zbar_processor_get_error_code(const zbar_processor_t* processor) {
    return ErrorCode(processor);
}

int zbar_video_error_spew(const zbar_video_t* video, int verbosity) {
    return ErrorSpew(video, verbosity);
}
const char* zbar_video_error_string(const zbar_video_t* video, int verbosity) {
    return ErrorString(video, verbosity);
}
zbar_error_t zbar_video_get_error_code(const zbar_video_t* video) {
    return ErrorCode(video);
}

int zbar_window_error_spew(const zbar_window_t* window, int verbosity) {
    return ErrorSpew(window, verbosity);
}
const char* zbar_window_error_string(const zbar_window_t* window, int verbosity) {
    return ErrorString(window, verbosity);
}
zbar_error_t zbar_window_get_error_code(const zbar_window_t* window) {
    return ErrorCode(window);
}

} // namespace ZBar
