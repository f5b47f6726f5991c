// The target registers the procedures use, and the values they write and test.
// Addresses are the chips' own; values and masks are bit strings, most
// significant bit first, like every constant byte of the protocol.
#pragma once

#include <cstdint>

#include "procedures/InterfaceCommands.h"

namespace reg {
// Both families
inline constexpr std::uint16_t PROBE = 0x000F;   // reads 0x00 once the divider suits the crystal
inline constexpr std::uint16_t INITEE = 0x0012;  // EEPROM mapping
inline constexpr std::uint16_t MEMSIZ0 = 0x001C; // MC9S12 memory sizes

// HC12 EEPROM module
inline constexpr std::uint16_t EEDIVH = 0x00EE;
inline constexpr std::uint16_t EEDIVL = 0x00EF;
inline constexpr std::uint16_t EEMCR = 0x00F0;
inline constexpr std::uint16_t EEPROT = 0x00F1;
inline constexpr std::uint16_t EEPROG = 0x00F3;

// MC9S12 EEPROM module
inline constexpr std::uint16_t ECLKDIV = 0x0110;
inline constexpr std::uint16_t EPROT = 0x0114;
inline constexpr std::uint16_t ESTAT = 0x0115;
inline constexpr std::uint16_t ECMD = 0x0116;
} // namespace reg

namespace value {
// Connecting an MC9S12: EEPROM at 0x2000 and enabled, so its size can be read.
inline constexpr std::uint8_t INITEE_AT_2000 = bits("00100001");
inline constexpr std::uint8_t MEMSIZ0_RAM = bits("00000111");
inline constexpr std::uint8_t INITEE_ADDRESS = bits("11111000");

// HC12 set-up
inline constexpr std::uint8_t INITEE_HC12 = bits("00000001");
inline constexpr std::uint8_t EEMCR_SETUP = bits("11111100");
inline constexpr std::uint8_t EEPROT_NONE = bits("00000000");

// HC12 EEPROG sequences: BULKP 0x80, AUTO 0x20, BYTE 0x10, ERASE 0x04, EELAT 0x02, EEPGM 0x01.
inline constexpr std::uint8_t EEPROG_ERASE_LATCH = bits("10110110");
inline constexpr std::uint8_t EEPROG_ERASE_ON = bits("10110111");
inline constexpr std::uint8_t EEPROG_PROGRAM_LATCH = bits("10000010");
inline constexpr std::uint8_t EEPROG_PROGRAM_ON = bits("10000011");
inline constexpr std::uint8_t EEPROG_IDLE = bits("10000000");

// MC9S12 ECLKDIV: EDIVLD reads back set once the divider is loaded. The
// dividers themselves, and HC912D's EEDIV, follow the crystal (CrystalTable.h).
inline constexpr std::uint8_t ECLKDIV_EDIVLD = bits("10000000");

// MC9S12 EPROT: open everything; EPOPEN and EPDIS must read back set.
inline constexpr std::uint8_t EPROT_OPEN = bits("11111111");
inline constexpr std::uint8_t EPROT_EPOPEN = bits("10000000");
inline constexpr std::uint8_t EPROT_EPDIS = bits("00001000");
inline constexpr std::uint8_t EPROT_EP = bits("00000111");

// MC9S12 ESTAT and ECMD
inline constexpr std::uint8_t ESTAT_IDLE = bits("11000001");
inline constexpr std::uint8_t ESTAT_LAUNCH_ERASE = bits("11000001");
inline constexpr std::uint8_t ESTAT_CBEIF = bits("10000000");
inline constexpr std::uint8_t ESTAT_CCIF = bits("01000000");
inline constexpr std::uint8_t ESTAT_PVIOL_ACCERR = bits("00110000");
inline constexpr std::uint8_t ECMD_MASS_ERASE = bits("01000001");
inline constexpr std::uint8_t ECMD_WORD_PROGRAM = bits("00100000");

inline constexpr std::uint8_t ERASED = bits("11111111");
} // namespace value
