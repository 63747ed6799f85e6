#include "vel/host/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

namespace Host {

namespace fs = std::filesystem;

namespace {

// Links followed before giving up, as the kernel does for a path (ELOOP).
constexpr int MaxLinks = 40;
// Random names tried before giving up on a folder crowded with names taken.
constexpr int MaxNameAttempts = 100;

[[noreturn]] void ThrowSystemError(int error) {
    throw std::system_error(error, std::generic_category());
}

// An open file descriptor, closed with its owner.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    int Get() const { return FFd; }

    // Closes it now, reporting the error a late write may give there.
    void Close() {
        if (::close(std::exchange(FFd, -1)) != 0)
            ThrowSystemError(errno);
    }

private:
    int FFd;
};

// Whether the link may be followed, by the kernel's rule for protected links: not when it
// lies in a sticky folder that anyone may write to (such as /tmp) and is owned neither by
// the process nor by the folder's owner, since another user may have planted it there to
// have the write replace a file of the process's.
bool MayFollow(const fs::path& link, const struct stat& linkStatus) {
    if (linkStatus.st_uid == ::geteuid())
        return true;
    struct stat folder {};
    const fs::path parent = link.parent_path();
    if (::stat(parent.empty() ? "." : parent.c_str(), &folder) != 0)
        ThrowSystemError(errno);
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || linkStatus.st_uid == folder.st_uid;
}

// The path with every symbolic link at its end followed; a dangling link gives the file it
// names, which the write then creates. A link another user planted in a shared sticky
// folder is refused (EACCES).
fs::path FollowLinks(fs::path path) {
    for (int hops = 0; hops <= MaxLinks; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        if (!MayFollow(path, status))
            throw std::system_error(EACCES, std::generic_category(),
                                    "a symbolic link of another user in a shared sticky folder, "
                                    "not followed");
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            throw std::system_error(error);
        path = path.parent_path() / link; // an absolute link replaces the whole path
    }
    ThrowSystemError(ELOOP);
}

std::string RandomName() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".vel-%016llx.tmp", static_cast<unsigned long long>(random()));
    return name;
}

struct TCreatedFile {
    fs::path Path;
    int Fd;
};

// A new file in the folder under a random name, created exclusively so that no file or link
// already there is ever opened.
TCreatedFile CreateExclusively(const fs::path& folder, mode_t mode) {
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        fs::path path = folder / RandomName();
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0)
            return {std::move(path), fd};
        if (errno != EEXIST)
            ThrowSystemError(errno);
    }
    ThrowSystemError(EEXIST);
}

// The new bytes' file beside the target, removed unless it replaced the target.
class TTemporaryFile {
public:
    TTemporaryFile(const fs::path& folder, mode_t mode)
        : TTemporaryFile(CreateExclusively(folder, mode)) {}
    ~TTemporaryFile() {
        if (!FRenamed)
            ::unlink(FPath.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(FDescriptor.Get(), bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR)
                ThrowSystemError(errno);
            if (written > 0)
                bytes.remove_prefix(static_cast<size_t>(written));
        }
    }

    // The original's permissions, and its owner and group where the process may give them
    // (as root); the owner first, as a change of owner clears the set-user-ID bit.
    void TakeAttributes(const struct stat& original) {
        if (::fchown(FDescriptor.Get(), original.st_uid, original.st_gid) != 0 && errno != EPERM)
            ThrowSystemError(errno);
        if (::fchmod(FDescriptor.Get(), original.st_mode & 07777) != 0)
            ThrowSystemError(errno);
    }

    // Flushes the bytes to the disk and renames the file to the target.
    void Replace(const fs::path& target) {
        if (::fsync(FDescriptor.Get()) != 0)
            ThrowSystemError(errno);
        FDescriptor.Close();
        if (::rename(FPath.c_str(), target.c_str()) != 0)
            ThrowSystemError(errno);
        FRenamed = true;
    }

private:
    explicit TTemporaryFile(TCreatedFile created)
        : FPath(std::move(created.Path)), FDescriptor(created.Fd) {}

    fs::path FPath;
    TDescriptor FDescriptor;
    bool FRenamed = false;
};

// Makes the rename itself durable; the file is already replaced, so a failure here is not
// reported.
void SyncFolder(const fs::path& folder) {
    const TDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

std::string ReadWholeFile(const fs::path& path) {
    const TDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        ThrowSystemError(errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
        if (count == 0)
            return bytes;
        if (count < 0 && errno != EINTR)
            ThrowSystemError(errno);
        if (count > 0)
            bytes.append(buffer, static_cast<size_t>(count));
    }
}

void ReplaceWholeFile(const fs::path& path, std::string_view bytes) {
    const fs::path target = FollowLinks(path);
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (!exists && errno != ENOENT)
        ThrowSystemError(errno);
    // A new file gets the usual permissions (less the umask); a replacement stays private to
    // its owner until it carries the original's.
    TTemporaryFile temporary(target.parent_path(), exists ? 0600 : 0666);
    temporary.Write(bytes);
    if (exists)
        temporary.TakeAttributes(original);
    temporary.Replace(target);
    SyncFolder(target.parent_path());
}

} // namespace Host
