// QR code text from the raw bytes ZBar gives with qrcode.binary=1. ZBar's own guess of the
// character set is wrong for Shift_JIS kana and for UTF-8 Chinese; the bytes are taken as
// UTF-8 when they are valid UTF-8, else as Shift_JIS when they are valid Shift_JIS (in its
// Windows form, CP932, which QR encoders write: byte 5C is a backslash, not a yen sign),
// else as ISO 8859-1, and returned as UTF-8.
#pragma once

#include <cstdint>
#include <vector>

namespace Vel {

std::vector<std::uint8_t> QrTextToUtf8(const std::vector<std::uint8_t>& bytes);

} // namespace Vel
