#include "PictureFile.h"

#include "vel/host/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace Host {

namespace {

// The file's name in quotes, as the messages give it.
String Quoted(const std::filesystem::path& file) {
    return u"\"" + FromAnsi(file.string()) + u"\"";
}

String SystemReason(int error) {
    return FromAnsi(std::strerror(error));
}

[[noreturn]] void ThrowOpenError(const std::filesystem::path& file, const String& reason) {
    throw EFOpenError(u"Cannot open file " + Quoted(file) + u": " + reason);
}

std::ifstream OpenForReading(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        ThrowOpenError(path, u"it is a directory");
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        ThrowOpenError(path, SystemReason(errno != 0 ? errno : EIO));
    return file;
}

std::filesystem::path PathOf(const String& fileName) {
    return std::filesystem::path(ToAnsi(fileName));
}

} // namespace

void ReadPictureFile(const std::filesystem::path& path,
                     const std::function<void(std::istream&)>& read) {
    std::ifstream file = OpenForReading(path);
    NamingFile(path, [&] {
        if (file.peek() == std::ifstream::traits_type::eof())
            throw EInvalidGraphic(u"the file is empty");
        read(file);
    });
}

void NamingFile(const std::filesystem::path& path, const std::function<void()>& load) {
    try {
        load();
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(u"Cannot load picture file " + Quoted(path) + u": " + e.Message());
    }
}

void WritePictureFile(const std::filesystem::path& path,
                      const std::function<void(std::ostream&)>& write) {
    std::ostringstream content;
    write(content);
    const std::string bytes = std::move(content).str();
    errno = 0;
    std::ofstream file(path, std::ios::binary);
    if (file)
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
        file.close();
    if (!file)
        throw EFCreateError(u"Cannot write file " + Quoted(path) + u": " +
                            SystemReason(errno != 0 ? errno : EIO));
}

void ReadPictureFile(const String& fileName, const std::function<void(std::istream&)>& read) {
    ReadPictureFile(PathOf(fileName), read);
}

void WritePictureFile(const String& fileName, const std::function<void(std::ostream&)>& write) {
    WritePictureFile(PathOf(fileName), write);
}

} // namespace Host
