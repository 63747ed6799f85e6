#include "StderrCapture.h"

#include "vel/batch/LineText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define VELSCAN_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELSCAN_SANITIZED 1
#endif
#ifdef VELSCAN_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace VelBatch {

namespace {

// The signals that end a process with a report: a fault in a library, abort() of a failed
// assertion.
constexpr std::array FatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};

// For the crash handlers, which can only reach globals. One capture per process.
volatile std::sig_atomic_t GCapturing = 0;
int GMemory = -1;
int GSavedStderr = -1;
struct sigaction GPrevious[NSIG];

[[noreturn]] void FailSystem(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Standard error back, and what was captured written onto it. Async-signal-safe.
void PutBackCaptured() {
    if (!GCapturing)
        return;
    GCapturing = 0;
    dup2(GSavedStderr, STDERR_FILENO);
    char buffer[4096];
    off_t at = 0;
    ssize_t got;
    while ((got = pread(GMemory, buffer, sizeof buffer, at)) > 0) {
        for (ssize_t done = 0; done < got;) {
            const ssize_t wrote =
                write(STDERR_FILENO, buffer + done, static_cast<size_t>(got - done));
            if (wrote <= 0)
                return;
            done += wrote;
        }
        at += got;
    }
}

// The previous action (the sanitizer's handler, or the default) takes over: a fault happens
// again on return, a signal that was sent is sent again.
void OnFatalSignal(int signal, siginfo_t* info, void*) {
    PutBackCaptured();
    sigaction(signal, &GPrevious[signal], nullptr);
    if (info->si_code <= 0)
        raise(signal);
}

void CatchFatalSignals() {
    struct sigaction action = {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : FatalSignals)
        if (sigaction(signal, &action, &GPrevious[signal]) != 0)
            FailSystem("sigaction");
#ifdef VELSCAN_SANITIZED
    // A sanitizer writes its report onto standard error and then ends the process without a
    // signal.
    __sanitizer_set_death_callback(PutBackCaptured);
#endif
}

void Reset(int memory) {
    if (ftruncate(memory, 0) != 0 || lseek(memory, 0, SEEK_SET) != 0)
        FailSystem("cannot empty the capture of standard error");
}

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        lines.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

struct TLibraryForm {
    std::string_view Start; // how its lines start; empty: any start
    std::string_view Holds; // what they hold; empty: anything
    std::string_view Name;
    std::string_view Drop; // the part of the start that the name replaces
};

// The forms the decoders' own lines take.
constexpr std::array LibraryForms = {
    TLibraryForm{"libpng ", "", "libpng", "libpng "},
    TLibraryForm{"", "JPEG", "libjpeg", ""},
    TLibraryForm{"Bogus ", "", "libjpeg", ""},
    TLibraryForm{"TIFF", "", "libtiff", ""},
    TLibraryForm{"", ": Warning, ", "libtiff", ""},
    TLibraryForm{"Syntax Error", "", "poppler", ""},
    TLibraryForm{"Syntax Warning", "", "poppler", ""},
    TLibraryForm{"Internal Error", "", "poppler", ""},
    TLibraryForm{"I/O Error", "", "poppler", ""},
    TLibraryForm{"Permission Error", "", "poppler", ""},
    TLibraryForm{"[WARNING]", "", "openjpeg", ""},
    TLibraryForm{"[ERROR]", "", "openjpeg", ""},
};

std::string Named(std::string_view line) {
    for (const TLibraryForm& form : LibraryForms)
        if (line.starts_with(form.Start) && line.find(form.Holds) != std::string_view::npos)
            return std::string(form.Name) + ": " + std::string(line.substr(form.Drop.size()));
    return "decoder: " + std::string(line);
}

// A line starting with a blank goes on with the line before, as does the count of the bytes
// not kept.
bool Continues(std::string_view line) {
    return line.starts_with(' ') || line.starts_with('\t') || line.starts_with("... (");
}

std::string_view Trimmed(std::string_view line) {
    const auto start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view{} : line.substr(start);
}

} // namespace

TStderrCapture::TStderrCapture() {
    FMemory = memfd_create("velscan-stderr", MFD_CLOEXEC);
    if (FMemory < 0)
        FailSystem("cannot capture standard error: memfd_create");
    FSavedStderr = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 10);
    if (FSavedStderr < 0) {
        close(FMemory);
        FailSystem("cannot capture standard error: fcntl");
    }
    GMemory = FMemory;
    GSavedStderr = FSavedStderr;
    CatchFatalSignals();
}

TStderrCapture::~TStderrCapture() {
    for (const int signal : FatalSignals)
        sigaction(signal, &GPrevious[signal], nullptr);
    close(FSavedStderr);
    close(FMemory);
}

std::vector<std::string> TStderrCapture::Around(const std::function<void()>& call) {
    Begin();
    try {
        call();
    } catch (...) {
        End();
        throw;
    }
    return End();
}

void TStderrCapture::Begin() {
    Reset(FMemory);
    std::fflush(stderr);
    if (dup2(FMemory, STDERR_FILENO) < 0)
        FailSystem("cannot capture standard error: dup2");
    GCapturing = 1;
}

std::vector<std::string> TStderrCapture::End() {
    std::fflush(stderr);
    GCapturing = 0;
    dup2(FSavedStderr, STDERR_FILENO);
    struct stat info = {};
    fstat(FMemory, &info);
    const auto size = static_cast<std::size_t>(info.st_size);
    std::string bytes(std::min(size, MaxCapturedBytes), '\0');
    const ssize_t got = pread(FMemory, bytes.data(), bytes.size(), 0);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    std::vector<std::string> lines = Lines(bytes);
    if (size > bytes.size())
        lines.push_back("... (" + std::to_string(size - bytes.size()) + " more bytes)");
    Reset(FMemory);
    return lines;
}

std::string DecoderWarning(const std::vector<std::string>& lines) {
    std::string warning;
    for (const std::string& line : lines) {
        if (!warning.empty() && Continues(line))
            warning += " " + LineEscaped(Trimmed(line));
        else if (!line.empty())
            warning += (warning.empty() ? "" : "; ") + LineEscaped(Named(line));
    }
    return warning;
}

} // namespace VelBatch
