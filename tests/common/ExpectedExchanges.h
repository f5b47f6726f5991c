// What goes over the wire for the connect, read and write commands, frame by
// frame and pause by pause, in the format of TraceExchange.h ("10 z 00 F3 B7":
// quiet milliseconds before the frame, then the frame). The first pause counts
// from the command's start. Unit tests run the procedures against these; window
// tests can run the same commands through the real window and compare.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace expected {

using Exchange = std::vector<std::string>;

// Reset step: flush (30 ms quiet), RTS held 200 ms, 10 ms settling while
// "paww" arrives, then 'R', 10 ms, 'U' with the divider.
inline Exchange resetWithDivider(const std::string& firstPause, const std::string& divider)
{
    return {firstPause + " RTS 1", "200 RTS 0", "10 R", "10 U " + divider};
}

// Pieces of an exchange, one after the other.
inline Exchange join(std::initializer_list<Exchange> pieces)
{
    Exchange all;
    for (const Exchange& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

// Connecting an MC9S12 with "8MHz" chosen beforehand: reset, probe, the
// parameter query (EEPROM placed at 0x2000, then MEMSIZ0 and INITEE read).
inline const Exchange CONNECT_MC9S12_8MHZ = join({resetWithDivider("30", "02"), {
    "0 C 00 0F",
    "0 z 00 12 21",
    "10 C 00 1C",
    "0 C 00 12",
}});

// "Auto" on a 16 MHz board: reset, probe, then one detection attempt: reset
// with the divider in effect, 10 ms, 'U' with the 16 MHz divider, flush, two
// probes 10 ms apart (the second answers 0x00).
inline const Exchange CONNECT_AUTO_16MHZ = join({
    resetWithDivider("30", "00"),
    {"0 C 00 0F"},
    resetWithDivider("0", "00"),
    {"10 U 00", "30 C 00 0F", "10 C 00 0F"},
});

// One detection attempt after the first, for the candidate's divider, with
// the divider of the attempt before in effect during its reset.
inline Exchange detectionAttempt(const std::string& dividerBefore, const std::string& candidate)
{
    return join({resetWithDivider("0", dividerBefore), {"10 U " + candidate, "30 C 00 0F", "10 C 00 0F"}});
}

// Reading 5 bytes at 0x0800 (made 6): 1 ms, flush, 'U', a wake-up read of the
// start address, then every word twice, 1 ms between the two readings.
inline const Exchange READ_6_AT_0800 = {
    "31 U 00",
    "0 C 08 00",
    "0 L 08 00",
    "2 L 08 00",
    "1 L 08 02",
    "2 L 08 02",
    "1 L 08 04",
    "2 L 08 04",
};

// HC12 set-up: flush, 'U' with the divider, INITEE read, then INITEE, EEMCR,
// EEPROT written, each followed by 10 ms.
inline Exchange hc12SetUp(const std::string& divider)
{
    return {
        "30 U " + divider,
        "0 C 00 12",
        "0 z 00 12 01",
        "10 z 00 F0 FC",
        "10 z 00 F1 00",
    };
}

// Erase and program one HC12 word at 0x0800 with 12 34: BYTE erase with a
// 10 ms pulse and 20 ms after it, a flush, then the 10 ms programming pulse
// and the verify. `firstPause` is 60 after the set-up (10 + 20 + flush 30).
inline Exchange hc12Word(const std::string& firstPause, const std::string& address, const std::string& data)
{
    return {
        firstPause + " z 00 F3 B6",
        "10 s " + address + " FF FF",
        "10 z 00 F3 B7",
        "10 z 00 F3 B6",
        "10 z 00 F3 80",
        "50 z 00 F3 82",
        "10 s " + address + " " + data,
        "10 z 00 F3 83",
        "10 z 00 F3 82",
        "10 z 00 F3 80",
        "10 L " + address,
    };
}

// HC912Dx128x on a 16 MHz crystal, one word 12 34 at 0x0800: EEDIV 0x0230.
inline const Exchange WRITE_HC912DX128X_16MHZ_ONE_WORD =
    join({hc12SetUp("00"), {"10 z 00 EE 02", "10 z 00 EF 30"}, hc12Word("60", "08 00", "12 34")});
// The same at 8 MHz: EEDIV 0x0118 (the crystal × 35 µs).
inline const Exchange EEDIV_8MHZ = {"10 z 00 EE 01", "10 z 00 EF 18"};
// The same at 4 MHz: EEDIV 0x008C.
inline const Exchange EEDIV_4MHZ = {"10 z 00 EE 00", "10 z 00 EF 8C"};
// "HC(9)12D60" (0x0C00): no EEDIV frames at all.
inline const Exchange WRITE_HC9_12D60_ONE_WORD = join({hc12SetUp("00"), hc12Word("60", "0C 00", "12 34")});

// MC9S12 connected at 8 MHz (EEPROM at 0x2000), one word 12 34: EPROT opened
// and checked, ECLKDIV 0x2B (8 MHz / 44), ESTAT checked, mass erase launched
// and polled every 10 ms until CCIF (the simulated erase takes 100 ms: nine
// polls), ESTAT checked again, then
// the word program command, its poll and the verify.
inline const Exchange WRITE_MC9S12_8MHZ_ONE_WORD = {
    "30 U 02",
    "0 C 00 12",
    "0 z 01 14 FF",
    "10 C 01 14",
    "0 C 01 10",
    "0 z 01 10 2B",
    "10 C 01 10",
    "0 C 01 15",
    "0 s 20 00 FF FF",
    "10 z 01 16 41",
    "10 z 01 15 C1",
    "20 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "10 C 01 15",
    "0 C 01 15",
    "80 s 20 00 12 34",
    "10 z 01 16 20",
    "20 z 01 15 80",
    "20 C 01 15",
    "0 L 20 00",
};

} // namespace expected
