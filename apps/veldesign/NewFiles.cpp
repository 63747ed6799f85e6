#include "NewFiles.h"

#include <filesystem>
#include <system_error>

namespace VelDesign {

void CheckNewFile(const std::string& fileName, bool replace) {
    std::error_code error;
    if (!replace && std::filesystem::exists(std::filesystem::symlink_status(fileName, error)))
        throw EFileError(fileName + " already exists; give --force to replace it");
}

} // namespace VelDesign
