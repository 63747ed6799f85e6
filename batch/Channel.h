// Messages between the run and a worker process over a stream socket: each is its length (8
// bytes) and its bytes. Signals that interrupt a call are retried; a peer that is gone is an
// ordinary outcome, not an error, since a worker may crash at any moment.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace VelBatch {

// The longest message: what a page's results can take. They are its barcodes' data, which
// takes at least the code's own pixels (a QR code of 177 x 177 modules holds 7089
// characters, under a quarter of a byte a pixel), and their outlines, 8 bytes a point where a
// scan line read a code (a line reads a code of at least some 20 pixels, so under one byte a
// pixel): some 320 MiB for a page at the default pixel limit (2^28 pixels). An input is a
// path and a few numbers. A length above this is a broken or hostile peer, refused before
// anything is allocated.
inline constexpr std::uint64_t MaxMessageBytes = std::uint64_t{1} << 30;

// A message whose length header passes MaxMessageBytes.
class EMessageTooLong : public std::runtime_error {
public:
    explicit EMessageTooLong(std::uint64_t length);
};

// Whether the whole message was sent; false when the peer is gone, or the message is longer
// than MaxMessageBytes (nothing is sent then). Never raises SIGPIPE.
bool SendMessage(int socket, std::string_view message);

// The next message; nullopt when the peer is gone before a whole message came. Throws
// EMessageTooLong when its length passes MaxMessageBytes; the memory taken grows with the
// bytes that arrive, not with the length claimed.
std::optional<std::string> ReceiveMessage(int socket);

// Whether something (a message or the peer's end) can be read within the time, in
// milliseconds (negative: no limit).
bool WaitReadable(int socket, int milliseconds);

} // namespace VelBatch
