// What the libraries a worker process calls write to standard error on their own (a decoder's
// complaints about damaged data, ZBar's assertion lines): taken while one page is read or
// scanned, so that it becomes part of that page's result instead of bytes without a path
// between the run's progress redraws.
//
// Only a worker process captures: standard error is its own. With --no-isolation the threads
// share the run's standard error, and it is left as it is.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace VelBatch {

// What a page's library calls wrote, line by line (control bytes as they came). Beyond the
// first MaxCapturedBytes the bytes are only counted, in a last line "... (N more bytes)".
inline constexpr std::size_t MaxCapturedBytes = 4096;

class TStderrCapture {
public:
    // Keeps a copy of standard error and makes the memory file the bytes go to. A crash
    // while capturing (a fatal signal, or a sanitizer's report) first puts standard error
    // back and copies what was captured onto it, so that nothing of a crash's report is lost.
    // Throws std::system_error.
    TStderrCapture();
    ~TStderrCapture();
    TStderrCapture(const TStderrCapture&) = delete;
    TStderrCapture& operator=(const TStderrCapture&) = delete;

    // Runs call with standard error going to the capture and gives back the lines written;
    // standard error is back when it returns or throws (what was written is then dropped,
    // the exception tells the page's failure).
    std::vector<std::string> Around(const std::function<void()>& call);

private:
    void Begin();
    std::vector<std::string> End();

    int FMemory;
    int FSavedStderr;
};

// A decoder's lines (those written while a page is read) as the page's warning: each line
// named by the library that writes lines of its form ("libjpeg: Corrupt JPEG data: ...",
// "libpng: ...", "libtiff: ...", "poppler: ..."; "decoder: ..." when none is known), a line
// starting with a blank continuing the one before, lines joined with "; ". Empty for no lines.
std::string DecoderWarning(const std::vector<std::string>& lines);

} // namespace VelBatch
