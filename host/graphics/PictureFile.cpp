#include "PictureFile.h"

#include "vel/host/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace Host {

namespace {

String Quoted(const String& fileName) {
    return u"\"" + fileName + u"\"";
}

String SystemReason(int error) {
    return FromAnsi(std::strerror(error));
}

[[noreturn]] void ThrowOpenError(const String& fileName, const String& reason) {
    throw EFOpenError(u"Cannot open file " + Quoted(fileName) + u": " + reason);
}

std::ifstream OpenForReading(const String& fileName) {
    const std::filesystem::path path(ToAnsi(fileName));
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        ThrowOpenError(fileName, u"it is a directory");
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        ThrowOpenError(fileName, SystemReason(errno != 0 ? errno : EIO));
    return file;
}

} // namespace

void ReadPictureFile(const String& fileName, const std::function<void(std::istream&)>& read) {
    std::ifstream file = OpenForReading(fileName);
    const String prefix = u"Cannot load picture file " + Quoted(fileName) + u": ";
    if (file.peek() == std::ifstream::traits_type::eof())
        throw EInvalidGraphic(prefix + u"the file is empty");
    try {
        read(file);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(prefix + e.Message());
    }
}

void WritePictureFile(const String& fileName, const std::function<void(std::ostream&)>& write) {
    std::ostringstream content;
    write(content);
    const std::string bytes = std::move(content).str();
    errno = 0;
    std::ofstream file(std::filesystem::path(ToAnsi(fileName)), std::ios::binary);
    if (file)
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
        file.close();
    if (!file)
        throw EFCreateError(u"Cannot write file " + Quoted(fileName) + u": " +
                            SystemReason(errno != 0 ? errno : EIO));
}

} // namespace Host
