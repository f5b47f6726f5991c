// Faults the simulated board shows on demand, so that tests (and a user trying
// the program without hardware) can see how the procedures cope. All of them
// are deterministic; the random ones draw from a generator seeded with `seed`.
//
// Answer bytes are counted from 0 over everything the interface sends since the
// board was made, greetings included.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct SimLineErrorAt {
    std::size_t answerByte; // reported when this answer byte arrives (the byte still arrives)
    std::uint32_t flags;    // LineError flags
};

struct SimFaults {
    std::uint32_t seed = 1;

    // The answer line.
    std::set<std::size_t> lostAnswerBytes;                    // sent, but never reach the PC
    std::map<std::size_t, std::uint8_t> changedAnswerBytes;   // reach the PC with this value instead
    double lossProbability = 0.0;                             // per answer byte
    double changeProbability = 0.0;                           // per answer byte: XOR with a random non-zero value
    std::optional<std::size_t> silentAfter;                   // the interface sends nothing after this many bytes
    std::vector<SimLineErrorAt> lineErrors;
    std::optional<std::string> greeting;                      // instead of "paww"; "" sends none

    // The target.
    std::set<std::uint16_t> unstableAddresses; // every second read of these gives a wrong value
    std::set<std::uint16_t> cellsThatNeverProgram; // EEPROM offsets; programming leaves them, erase works
    bool eeprotLocked = false;                 // HC12: EEMCR PROTLCK set at reset, all blocks protected
    std::optional<std::uint8_t> eprotAtReset;  // MC9S12: the EPROT value loaded at reset (0xFF otherwise)
    bool estatNotReady = false;                // MC9S12: CCIF reads 0 while idle (ESTAT 0x81)
    bool ccifNeverSet = false;                 // MC9S12: a launched command never completes
};
