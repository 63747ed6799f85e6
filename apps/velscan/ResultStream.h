// The stream velscan writes its results to: a buffer over a file descriptor that checks every
// write. A write that fails (a full disk, a closed pipe, ...) raises EOutputError with the
// system's reason, so that no result is lost silently.
#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <system_error>
#include <vector>

namespace VelScan {

// The results could not be written; what() is "cannot write the results: REASON".
class EOutputError : public std::system_error {
public:
    explicit EOutputError(int error);
};

class TResultStreamBuffer : public std::streambuf {
public:
    explicit TResultStreamBuffer(int fd);

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    void WriteBuffered();
    // Writes all the bytes, waiting when the descriptor is non-blocking and full; throws
    // EOutputError.
    void WriteAll(const char* data, std::size_t size);

    int FFd;
    std::vector<char> FBuffer;
};

// An output stream over the descriptor that lets the buffer's EOutputError through to the
// writer. Only what is flushed is written: the stream does not flush when destroyed.
class TResultStream : public std::ostream {
public:
    explicit TResultStream(int fd);

private:
    TResultStreamBuffer FBuffer;
};

} // namespace VelScan
