// Base64 (RFC 4648, standard alphabet, with padding) for barcode data that is not text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace VelScan {

std::string Base64(std::span<const std::uint8_t> bytes);

} // namespace VelScan
