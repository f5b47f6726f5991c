// The character set of the character view: Windows-1250, the 8-bit set of the
// program's Polish users. Both directions, as plain tables, so that the grid
// shows the same character on every machine whatever its locale.
#pragma once

#include <cstdint>

// The character byte b stands for, or 0 for the five codes Windows-1250 leaves
// unassigned (0x81, 0x83, 0x88, 0x90, 0x98).
char32_t windows1250ToUnicode(std::uint8_t b);

// The byte that holds c in Windows-1250; 0x3F ('?') for a character the set
// cannot hold, as a converting program would substitute it.
std::uint8_t unicodeToWindows1250(char32_t c);
