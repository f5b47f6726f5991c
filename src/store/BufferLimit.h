// How many bytes a buffer can hold: as many as the byte-count field can show
// in its seven digits. Loading refuses larger files, a buffer is never created
// larger, a read or write never asks for more, and the status lines are sized
// for counts this long.
#pragma once

#include <cstdint>

inline constexpr int BYTE_COUNT_DIGITS = 7;

// The largest number of `digits` decimal digits.
constexpr std::uint32_t largestNumberOfDigits(int digits)
{
    std::uint32_t largest = 0;
    for (int k = 0; k < digits; ++k)
        largest = largest * 10 + 9;
    return largest;
}

// 9 999 999, the number texts::FILE_TOO_LARGE quotes.
inline constexpr std::uint32_t MAX_BUFFER_BYTES = largestNumberOfDigits(BYTE_COUNT_DIGITS);
