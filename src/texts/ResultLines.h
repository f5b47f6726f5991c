// The result lines of reading, writing, loading and comparing, and the Polish
// plural rules behind them. Each command has its own rule for "bajty" (reading
// says "4  bajty.", writing and loading say "4  bajtów."); users know the lines
// as they are, so the rules stay as they are. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "texts/Texts.h"

// "  bajt." for 1, "  bajty." for 2 to 4, "  bajtów." otherwise (reading).
Text readUnit(std::uint64_t byteCount);
// "  bajt." for 1, "  bajty." for 2 and 3, "  bajtów." otherwise (writing, loading).
Text writeUnit(std::uint64_t byteCount);
// "  różnica." for 1, "  różnice." for 2 to 4, "  różnic." otherwise.
Text differencesWord(std::int64_t differences);

// "Przeczytano  512  bajtów." for status field 0 after reading.
std::string readResultLine(std::uint64_t finalOffset);
// "Zapisano  512  bajtów." for status field 0 after writing.
std::string writeResultLine(std::uint64_t finalOffset);
// "Razem:  3  różnice." for the differences box and status field 1.
std::string comparisonSummary(std::int64_t differences);

// L / 1024 as loading shows it: the single-precision quotient with six
// decimals, trailing zeros and then a bare point removed, cut two characters
// after the point (1026 -> "1.00", 3000 -> "2.92", 10240 -> "10").
std::string kilobyteText(std::uint64_t byteCount);
// "Wczytano 512  bajtów." below 1024 bytes, "Wczytano 1.5  KB" from 1024 on.
std::string loadResultLine(std::uint64_t byteCount);
// "Adresy 0800–09FF": the addresses of the first and the last byte of an
// S-record or Intel HEX file, for the status field beside the load's result
// line (the two do not fit in one field).
std::string loadedAddressesLine(std::uint64_t first, std::uint64_t last);
