// CRC-32 (the polynomial of zip and PNG) of a byte range: the fingerprint a
// chart header keeps of its chart file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvelo {

std::uint32_t crc32(std::span<const std::uint8_t> data);

} // namespace tarvelo
