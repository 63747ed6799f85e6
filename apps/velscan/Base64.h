// Base64 (RFC 4648, standard alphabet, with padding) for barcode data and paths that are not
// text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace VelScan {

std::string Base64(std::span<const std::uint8_t> bytes);
std::string Base64(std::string_view bytes);

} // namespace VelScan
