#include "vel/host/NumberText.h"

#include <string>

namespace Host {

String IntToStr(int64_t value) {
    return FromAnsi(std::to_string(value));
}

} // namespace Host
