#include "PictureLoading.h"

#include "vel/batch/Errors.h"

#include <vel/host/Errors.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <istream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace VelBatch {

namespace {

// The messages leave the path out: every output names the picture beside its error.
[[noreturn]] void ThrowOpenError(const std::string& reason) {
    throw std::runtime_error("Cannot open the file: " + reason);
}

[[noreturn]] void ThrowLoadError(const std::string& reason) {
    throw std::runtime_error("Cannot load the picture: " + reason);
}

// What the file is when it is not a regular file, for the message that refuses it.
const char* KindName(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO (named pipe)";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    return "not a regular file";
}

void RequireRegularFile(const struct stat& status) {
    if (!S_ISREG(status.st_mode))
        ThrowOpenError(std::string("it is ") + KindName(status.st_mode) + ", not a picture file");
}

// A descriptor closed when it goes out of scope, unless released.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0)
            close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    int Fd() const { return FFd; }
    int Release() { return std::exchange(FFd, -1); }

private:
    int FFd;
};

// Opens the file for reading. It is looked at first, so that a device is never opened, and
// opened without blocking, so that a FIFO put in its place meanwhile cannot block; what was
// opened is looked at again. (O_NONBLOCK does not change how a regular file is read.)
int OpenRegularFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        ThrowOpenError(std::strerror(errno));
    RequireRegularFile(status);
    TDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Fd() < 0 || fstat(file.Fd(), &status) != 0)
        ThrowOpenError(std::strerror(errno));
    RequireRegularFile(status);
    if (status.st_size == 0)
        ThrowLoadError("the file is empty");
    return file.Release();
}

// A picture refused for its size keeps that kind, which a larger pixel limit would read.
[[noreturn]] void ThrowInvalid(const Host::EInvalidGraphic& error) {
    if (dynamic_cast<const Host::EPixelLimit*>(&error))
        throw EPixelLimit(std::string("Cannot load the picture: ") + error.what());
    ThrowLoadError(error.what());
}

} // namespace

TPictureFile::TPictureFile(const std::string& path) {
    try {
        // The stream opens the file checked above through its descriptor, never the path
        // again, which may name another file by now.
        const TDescriptor checked(OpenRegularFile(path));
        std::ifstream stream("/proc/self/fd/" + std::to_string(checked.Fd()), std::ios::binary);
        if (!stream)
            ThrowOpenError(std::strerror(errno));
        char start[5] = {};
        FDrawsPages = stream.read(start, 5) && std::string(start, 5) == "%PDF-";
        stream.clear();
        stream.seekg(0);
        FReader = std::make_unique<Host::TPageReader>(stream);
    } catch (const Host::EInvalidGraphic& error) {
        ThrowInvalid(error);
    }
}

void TPictureFile::LoadPage(Host::TPicture& picture, const Host::TPageChoice& page) {
    try {
        FReader->LoadPage(picture, page);
    } catch (const Host::EInvalidGraphic& error) {
        ThrowInvalid(error);
    }
}

} // namespace VelBatch
