#include "ResultStream.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace VelScan {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

} // namespace

EOutputError::EOutputError(int error)
    : std::system_error(error, std::generic_category(), "cannot write the results") {}

TResultStreamBuffer::TResultStreamBuffer(int fd) : FFd(fd), FBuffer(BufferSize) {
    setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
}

TResultStreamBuffer::int_type TResultStreamBuffer::overflow(int_type c) {
    WriteBuffered();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize TResultStreamBuffer::xsputn(const char* data, std::streamsize size) {
    if (size <= epptr() - pptr())
        return std::streambuf::xsputn(data, size);
    WriteBuffered();
    WriteAll(data, static_cast<std::size_t>(size));
    return size;
}

int TResultStreamBuffer::sync() {
    WriteBuffered();
    return 0;
}

void TResultStreamBuffer::WriteBuffered() {
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    // The buffer is emptied first, so that bytes that could not be written are not tried again.
    setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
    WriteAll(FBuffer.data(), size);
}

void TResultStreamBuffer::WriteAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(FFd, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready = {FFd, POLLOUT, 0};
            poll(&ready, 1, -1);
        } else if (written == 0 || errno != EINTR) {
            throw EOutputError(written == 0 ? EIO : errno);
        }
    }
}

TResultStream::TResultStream(int fd) : std::ostream(nullptr), FBuffer(fd) {
    rdbuf(&FBuffer);
    exceptions(std::ios::badbit);
}

} // namespace VelScan
