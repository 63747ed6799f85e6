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

// The start of a name that cannot be a file's, every byte but printable ASCII as \xHH: such
// a name is most often a picture's bytes passed where a path was meant.
String ShownStart(const std::string& name) {
    constexpr std::size_t Shown = 24;
    std::string start;
    for (const char c : name.substr(0, Shown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            static constexpr char Hex[] = "0123456789abcdef";
            start += {'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
        } else {
            start += c;
        }
    }
    return u"\"" + FromAnsi(start) + (name.size() > Shown ? u"...\"" : u"\"");
}

std::ifstream OpenForReading(const std::filesystem::path& path) {
    if (path.native().find('\0') != std::string::npos)
        throw EFOpenError(u"Cannot open file " + ShownStart(path.native()) +
                          u": a file name holds no NUL byte; to read a picture's bytes held in "
                          u"memory, pass them as bytes (std::span<const std::uint8_t>), not as "
                          u"a file name");
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        ThrowOpenError(path, u"it is a directory");
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        ThrowOpenError(path, SystemReason(errno != 0 ? errno : EIO));
    return file;
}

// The message of a picture file that cannot be loaded: the file's name, then the reason.
String FileMessage(const std::filesystem::path& path, const EInvalidGraphic& error) {
    return u"Cannot load picture file " + Quoted(path) + u": " + error.Message();
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
    } catch (const EPixelLimit& e) {
        throw EPixelLimit(FileMessage(path, e));
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(FileMessage(path, e));
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
