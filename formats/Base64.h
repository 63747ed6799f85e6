// Base64 (RFC 4648, standard alphabet, with padding) for barcode data and paths that are not
// text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace VelFormats {

std::string Base64(std::span<const std::uint8_t> bytes);
std::string Base64(std::string_view bytes);
// The bytes a padded base64 text holds; nullopt when it is not one.
std::optional<std::string> FromBase64(std::string_view text);

} // namespace VelFormats
