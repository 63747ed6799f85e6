#include "Resume.h"

#include "ResultStream.h"

#include <vel/batch/Resume.h>
#include <vel/formats/JsonEntry.h>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VelScan {

namespace {

// The file could not be opened, read or repaired, or holds a line that is not an entry.
class EResumeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a scan of the entries already in the file would have ended.
struct TEarlierEntries {
    bool AnyError = false;
    bool AnyBarcode = false;
};

class TResumeFile {
public:
    // The file itself, never a symbolic link's target: a link may point at a file that is
    // not the run's (planted by another user, or a slip), which the repair would cut.
    explicit TResumeFile(const std::string& path) : FPath(path) {
        FFd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
        if (FFd < 0 && errno == ELOOP)
            Fail("it is a symbolic link; give the file itself");
        if (FFd < 0)
            FailCall("cannot open it");
        struct stat status {};
        if (fstat(FFd, &status) != 0)
            FailCall("cannot look at it");
        if (!S_ISREG(status.st_mode)) {
            close(FFd);
            Fail("it is not a regular file");
        }
        if (flock(FFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                Fail("another velscan is writing to it");
            FailCall("cannot lock it");
        }
    }
    ~TResumeFile() { close(FFd); }
    TResumeFile(const TResumeFile&) = delete;
    TResumeFile& operator=(const TResumeFile&) = delete;

    int Fd() const { return FFd; }

    // Reads every entry and cuts the file after the last whole one, leaving the descriptor
    // at the end for the new entries. Entries come in input order, so only the last picture
    // can lack pages: its entries go too, and it is scanned again.
    TEarlierEntries Load(VelBatch::TFinishedPictures& finished, std::ostream& err) {
        const std::string text = ReadAll();
        TEarlierEntries earlier;
        std::size_t kept = 0, lastPictureStart = 0, lineNumber = 0;
        std::string lastPicture;
        while (kept < text.size()) {
            ++lineNumber;
            const std::size_t end = text.find('\n', kept);
            const std::string_view line =
                std::string_view(text).substr(kept, end == std::string::npos ? end : end - kept);
            if (end == std::string::npos) {
                if (!CutEntry(line))
                    Fail("its last line (" + std::to_string(lineNumber) +
                         ") is neither a velscan JSON entry nor the start of one; it is not "
                         "resumed");
                break;
            }
            const auto entry = VelFormats::ReadJsonEntry(line);
            if (!entry)
                Fail("line " + std::to_string(lineNumber) +
                     " is not a velscan JSON entry; it is not resumed");
            if (entry->Path != lastPicture) {
                lastPicture = entry->Path;
                lastPictureStart = kept;
            }
            finished.Add(entry->Path, entry->Pages);
            earlier.AnyError |= entry->HasError;
            earlier.AnyBarcode |= entry->HasBarcode;
            kept = end + 1;
        }
        const bool lastPictureCut = !lastPicture.empty() && !finished.Has(lastPicture);
        if (lastPictureCut) {
            finished.Forget(lastPicture);
            kept = lastPictureStart;
        }
        if (kept < text.size())
            Cut(kept, text.size() - kept,
                lastPictureCut ? "the entries of its last picture, which lacks pages"
                               : "its cut last line",
                err);
        if (lseek(FFd, static_cast<off_t>(kept), SEEK_SET) < 0)
            FailCall("cannot seek to its end");
        return earlier;
    }

private:
    // Whether a last line without its newline is an entry cut while it was written: it
    // begins as every entry does (or is a start of that beginning).
    static bool CutEntry(std::string_view line) {
        constexpr std::string_view EntryStart = R"({"path":)";
        return line.starts_with(EntryStart) || EntryStart.starts_with(line);
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw EResumeError("--resume " + FPath + ": " + what);
    }
    // A failed system call, with the system's reason.
    [[noreturn]] void FailCall(const std::string& what) const {
        Fail(what + ": " + std::strerror(errno));
    }

    void Cut(std::size_t size, std::size_t removed, const std::string& what, std::ostream& err) {
        err << "velscan: " << FPath << ": removed " << what << " (" << removed << " bytes)\n";
        if (ftruncate(FFd, static_cast<off_t>(size)) != 0)
            FailCall("cannot remove " + what);
    }

    std::string ReadAll() {
        std::string text;
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = read(FFd, buffer, sizeof buffer);
            if (got == 0)
                return text;
            if (got < 0 && errno != EINTR)
                FailCall("cannot read it");
            if (got > 0)
                text.append(buffer, static_cast<std::size_t>(got));
        }
    }

    std::string FPath;
    int FFd = -1;
};

VelCli::TExitStatus CombinedStatus(const TEarlierEntries& earlier, VelCli::TExitStatus run) {
    if (run == VelCli::esFailure)
        return run;
    if (earlier.AnyError || run == VelCli::esFileError)
        return VelCli::esFileError;
    if (earlier.AnyBarcode || run == VelCli::esSuccess)
        return VelCli::esSuccess;
    return VelCli::esNoBarcode;
}

} // namespace

VelCli::TExitStatus RunResumed(const TOptions& options, std::istream& paths, std::ostream& err,
                               TTerminals terminals) {
    VelBatch::TFinishedPictures finished(options.Batch.Scan.Pages);
    std::optional<TResumeFile> file;
    TEarlierEntries earlier;
    try {
        file.emplace(*options.Resume);
        earlier = file->Load(finished, err);
    } catch (const EResumeError& error) {
        err << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    }
    TResultStream results(file->Fd());
    const VelCli::TExitStatus run =
        RunScan(options, paths, results, err, {.Output = false, .Errors = terminals.Errors},
                [&finished](const VelBatch::TInput& input) { return !finished.Has(input.Path); });
    return CombinedStatus(earlier, run);
}

} // namespace VelScan
