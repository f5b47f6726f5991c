// The crystals a target may run on, and every value that follows from one:
// the item of the crystal combo box, the interface's divider bits, and the
// EEPROM clock dividers of both families. Values are bit strings, most
// significant bit first, like every constant byte of the protocol.
#pragma once

#include <array>
#include <cstdint>

#include "procedures/InterfaceCommands.h"
#include "texts/Texts.h"

struct Crystal {
    int mhz;
    Text label;               // the crystal combo box's item
    std::uint8_t dividerBits; // bits 1..0 of the byte sent after 'U'
    std::uint8_t eedivHigh;   // HC912D EEDIVH and EEDIVL: the crystal × 35 µs
    std::uint8_t eedivLow;
    std::uint8_t eclkdiv;     // MC9S12 ECLKDIV: an EEPROM clock of 150 to 200 HZ
};

// In the order of the crystal combo box after "Auto" (its items 1 to 3), which
// is also the order the detection tries them in.
inline constexpr std::array<Crystal, 3> CRYSTAL_TABLE{{
    // EEDIV 0x0230; ECLKDIV prescaled by 8, then / 11
    {16, texts::CRYSTAL_16MHZ, bits("00000000"), bits("00000010"), bits("00110000"), bits("01001010")},
    // EEDIV 0x0118; ECLKDIV / 44
    {8, texts::CRYSTAL_8MHZ, bits("00000010"), bits("00000001"), bits("00011000"), bits("00101011")},
    // EEDIV 0x008C; ECLKDIV / 22
    {4, texts::CRYSTAL_4MHZ, bits("00000001"), bits("00000000"), bits("10001100"), bits("00010101")},
}};

// The row of a crystal of `mhz`, none for a frequency the table lacks.
inline const Crystal* findCrystal(int mhz)
{
    for (const Crystal& crystal : CRYSTAL_TABLE)
        if (crystal.mhz == mhz)
            return &crystal;
    return nullptr;
}
