#include "PictureLoading.h"

#include <vel/host/Errors.h>

#include <cerrno>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <istream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace VelScan {

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

// A refusal of the picture's size, which --max-pixels can lift (not one of its pages' count).
bool MentionsPixelLimit(const std::string& message) {
    return message.find(" pixels exceeds the limit of") != std::string::npos ||
           message.find("pixel limit") != std::string::npos;
}

[[noreturn]] void ThrowInvalid(const Host::EInvalidGraphic& error) {
    const std::string reason = error.what();
    ThrowLoadError(MentionsPixelLimit(reason) ? reason + "; --max-pixels raises the limit"
                                              : reason);
}

} // namespace

TPictureFile::TPictureFile(const std::string& path) {
    try {
        // The buffer owns the descriptor and closes it.
        __gnu_cxx::stdio_filebuf<char> file(OpenRegularFile(path), std::ios::in | std::ios::binary);
        std::istream stream(&file);
        char start[5] = {};
        FDrawsPages = file.sgetn(start, 5) == 5 && std::string(start, 5) == "%PDF-";
        file.pubseekpos(0, std::ios::in);
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

} // namespace VelScan
