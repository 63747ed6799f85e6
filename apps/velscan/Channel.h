// Messages between velscan and a worker process over a stream socket: each is its length (8
// bytes) and its bytes. Signals that interrupt a call are retried; a peer that is gone is an
// ordinary outcome, not an error, since a worker may crash at any moment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace VelScan {

// Whether the whole message was sent; false when the peer is gone. Never raises SIGPIPE.
bool SendMessage(int socket, std::string_view message);

// The next message; nullopt when the peer is gone before a whole message came.
std::optional<std::string> ReceiveMessage(int socket);

// Whether something (a message or the peer's end) can be read within the time, in
// milliseconds (negative: no limit).
bool WaitReadable(int socket, int milliseconds);

} // namespace VelScan
