#include "Channel.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/socket.h>

namespace VelBatch {

namespace {

// A message is received in parts of this size at most, so that a length that was claimed but
// never sent takes no memory.
constexpr std::uint64_t ReceiveChunkBytes = 1 << 20;

bool SendAll(int socket, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool ReceiveAll(int socket, char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t received = recv(socket, bytes, size, 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            return false;
        bytes += received;
        size -= static_cast<std::size_t>(received);
    }
    return true;
}

} // namespace

EMessageTooLong::EMessageTooLong(std::uint64_t length)
    : std::runtime_error("a message of " + std::to_string(length) +
                         " bytes came from the other process, more than the " +
                         std::to_string(MaxMessageBytes) + " bytes a page's results can take") {}

bool SendMessage(int socket, std::string_view message) {
    const std::uint64_t length = message.size();
    return length <= MaxMessageBytes &&
           SendAll(socket, reinterpret_cast<const char*>(&length), sizeof length) &&
           SendAll(socket, message.data(), message.size());
}

std::optional<std::string> ReceiveMessage(int socket) {
    std::uint64_t length = 0;
    if (!ReceiveAll(socket, reinterpret_cast<char*>(&length), sizeof length))
        return std::nullopt;
    if (length > MaxMessageBytes)
        throw EMessageTooLong(length);
    std::string message;
    while (message.size() < length) {
        const std::size_t start = message.size();
        message.resize(start + std::min<std::uint64_t>(length - start, ReceiveChunkBytes));
        if (!ReceiveAll(socket, message.data() + start, message.size() - start))
            return std::nullopt;
    }
    return message;
}

bool WaitReadable(int socket, int milliseconds) {
    pollfd polled{socket, POLLIN, 0};
    for (;;) {
        const int ready = poll(&polled, 1, milliseconds);
        if (ready >= 0 || errno != EINTR)
            return ready != 0;
    }
}

} // namespace VelBatch
