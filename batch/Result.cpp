#include "vel/batch/Result.h"

namespace VelBatch {

std::string ShownPath(const TPageResult& result) {
    if (result.Pages <= 1)
        return result.Path;
    return result.Path + '#' + std::to_string(result.Page);
}

} // namespace VelBatch
