#include "NewFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace VelDesign {

void CheckNewFile(const std::string& fileName, bool replace) {
    std::error_code error;
    if (!replace && std::filesystem::exists(std::filesystem::symlink_status(fileName, error)))
        throw EFileError(fileName + " already exists; give --force to replace it");
}

void WriteNewFile(const std::string& fileName, std::string_view text) {
    std::ofstream out(std::filesystem::path(fileName), std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        throw EFileError("cannot write " + fileName + ": " + std::strerror(errno));
}

} // namespace VelDesign
