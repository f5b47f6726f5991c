// Comparing two buffers: the result is a copy of the first one's bytes in which
// every byte that differs from the second one is marked red, and the count of
// those bytes. The window's "Porównaj z" shows the result as a new page; the
// command line's diff lists it. Neither buffer changes.
#pragma once

#include <cstdint>

#include "progress/Progress.h"
#include "store/ByteStore.h"

// Compares the hexadecimal cells the two buffers both have (the smaller
// capacity: whole rows of 16). Cells empty in both are skipped and stay empty
// in `result`; any other cell takes the first buffer's byte. A cell differs
// when its two texts differ, without regard to case, so an empty cell differs
// from "00" and "1FF" (left so by editing) from "FF". One progress step per
// cell compared; cells past `result`'s capacity are left out of it (they still
// count). Returns the differences.
std::int64_t compareBuffers(const ByteStore& first, const ByteStore& second, ByteStore& result, Progress& progress);
