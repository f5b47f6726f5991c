// Run-length packing for saved cells: the bytes an undo step keeps are mostly
// long runs (a fill, the empty cells of a fresh buffer, the flags of a read
// image), which shrink to a few bytes per hundred; bytes without runs grow by
// one byte in 128.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> packRuns(const std::vector<std::uint8_t>& bytes);
// The `count` bytes `packed` holds.
std::vector<std::uint8_t> unpackRuns(const std::vector<std::uint8_t>& packed, std::size_t count);
