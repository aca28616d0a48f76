// Base64 (RFC 4648, with padding) for the record images carried in JSON.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::cli {

std::string base64(std::span<const std::uint8_t> bytes);
// Strict: only the alphabet, padding only at the end and a length that is a
// multiple of four; nullopt otherwise.
std::optional<std::vector<std::uint8_t>> daBase64(std::string_view text);

} // namespace tarvelo::cli
