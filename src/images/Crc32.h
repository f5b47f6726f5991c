// The CRC-32 of an image (the polynomial of zip, PNG and `crc32` of the shell),
// so that a script can tell images apart by one number.
#pragma once

#include <cstdint>
#include <span>

std::uint32_t crc32(std::span<const std::uint8_t> bytes);
