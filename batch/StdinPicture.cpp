#include "StdinPicture.h"

#include "PictureMemory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace VelBatch {

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

[[noreturn]] void Fail(const std::string& what, int error = errno) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

// A descriptor closed when it goes out of scope.
class TFile {
public:
    explicit TFile(int fd) : FFd(fd) {}
    ~TFile() { close(FFd); }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    int Fd() const { return FFd; }

private:
    int FFd;
};

// The number of bytes read into the buffer, 0 at the end of the input.
std::size_t ReadSome(int fd, std::vector<char>& buffer) {
    for (;;) {
        const ssize_t count = read(fd, buffer.data(), buffer.size());
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR)
            Fail("cannot read the picture from standard input");
    }
}

void WriteAll(int fd, const char* data, std::size_t size, const std::string& name) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail("cannot keep the picture from standard input in " + name,
                 written == 0 ? EIO : errno);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace

std::uint64_t MaxStdinPictureBytes(std::uint64_t maxPixels) {
    return maxPixels * 8 + 16 * 1024 * 1024;
}

TStdinPicture::TStdinPicture(int fd, std::uint64_t maxBytes) {
    FInput.Path = "-";
    try {
        Spool(fd, maxBytes);
    } catch (const std::exception& error) {
        FInput.Error = error.what();
    }
}

TStdinPicture::~TStdinPicture() {
    if (!FInput.Source.empty())
        unlink(FInput.Source.c_str());
}

void TStdinPicture::Spool(int fd, std::uint64_t maxBytes) {
    // A terminal would only keep the run waiting for keys: a picture comes from a pipe or file.
    if (isatty(fd) == 1)
        throw std::runtime_error("standard input is a terminal, not a picture: pipe or redirect "
                                 "a picture file into it");
    std::string name = TemporaryFolder() + "/velscan-stdin-XXXXXX";
    const int created = mkostemp(name.data(), O_CLOEXEC);
    if (created < 0)
        Fail("cannot keep the picture from standard input: cannot create a temporary file in " +
             TemporaryFolder());
    TFile file(created);
    FInput.Source = name;
    FRemovalOnSignal.emplace(name);
    std::vector<char> buffer(ChunkSize);
    std::uint64_t total = 0;
    while (const std::size_t count = ReadSome(fd, buffer)) {
        total += count;
        if (total > maxBytes)
            throw std::runtime_error("the picture on standard input is larger than " +
                                     ByteSizeText(maxBytes) +
                                     " (8 bytes a pixel of --max-pixels, and 16 MiB)");
        WriteAll(file.Fd(), buffer.data(), count, name);
    }
    if (total == 0)
        throw std::runtime_error("standard input is empty: no picture to read");
}

} // namespace VelBatch
