#include "ScanResult.h"

namespace VelScan {

std::string ShownPath(const TPictureResult& result) {
    if (result.Pages <= 1)
        return result.Path;
    return result.Path + '#' + std::to_string(result.Page);
}

} // namespace VelScan
