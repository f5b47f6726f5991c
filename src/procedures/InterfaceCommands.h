// The wire format of the interface: its six one-letter commands, the greeting,
// the clock-divider byte and the protocol's timing. This is the one place where
// what the PC sends and expects is fixed; every procedure builds its frames here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

class SerialLink;

// The protocol's constant bytes are written as eight '0'/'1' characters, most
// significant bit first. A malformed string does not compile.
consteval std::uint8_t bits(const char (&text)[9])
{
    std::uint8_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        if (text[i] != '0' && text[i] != '1')
            throw "a bit string holds only '0' and '1'";
        value = static_cast<std::uint8_t>((value << 1) | (text[i] - '0'));
    }
    return value;
}

// Command codes (case-sensitive letters).
inline constexpr std::uint8_t CMD_READ_BYTE = 'C';   // 'C', addr hi, addr lo -> 1 byte
inline constexpr std::uint8_t CMD_READ_WORD = 'L';   // 'L', addr hi, addr lo -> 2 bytes
inline constexpr std::uint8_t CMD_WRITE_BYTE = 'z';  // 'z', addr hi, addr lo, value
inline constexpr std::uint8_t CMD_WRITE_WORD = 's';  // 's', addr hi, addr lo, byte at addr, byte at addr + 1
inline constexpr std::uint8_t CMD_SET_DIVIDER = 'U'; // 'U', divider
inline constexpr std::uint8_t CMD_START = 'R';       // 'R'

// What the interface sends after every reset pulse.
inline constexpr std::array<std::uint8_t, 4> GREETING = {'p', 'a', 'w', 'w'};

// Clock-divider byte: only bits 1..0 follow the crystal (CrystalTable.h), the
// rest stay as they are.
inline constexpr std::uint8_t DIVIDER_KEEP_MASK = bits("11111100");

// The divider byte for a crystal of the table: clear bits 1..0, then set the
// crystal's, so the order of earlier choices never matters. Any other value
// (the "Auto" choice) leaves the divider unchanged.
std::uint8_t dividerForCrystal(std::uint8_t current, int crystalMHz);

// Timing of the protocol, in milliseconds (the receiver's own time-out and
// flush are serial/SerialLink.h's).
inline constexpr std::uint32_t RESET_PULSE_MS = 200;      // RTS held asserted to reset the interface
inline constexpr std::uint32_t RESET_SETTLE_MS = 10;      // after releasing RTS, before the greeting
inline constexpr std::uint32_t START_TO_DIVIDER_MS = 10;  // between 'R' and 'U' in the handshake
inline constexpr std::uint32_t WRITE_FRAME_PAUSE_MS = 10; // after a write frame in connect and EEPROM write
inline constexpr std::uint32_t WORD_REREAD_PAUSE_MS = 1;  // between the two reads of a word

// One command frame, at most five bytes. Addresses are cut to 16 bits and go
// high byte first.
class Frame {
public:
    Frame(std::initializer_list<std::uint8_t> bytes);
    std::span<const std::uint8_t> bytes() const { return {bytes_.data(), length_}; }

private:
    std::array<std::uint8_t, 5> bytes_{};
    std::size_t length_ = 0;
};

Frame readByteFrame(std::uint32_t address);
Frame readWordFrame(std::uint32_t address);
Frame writeByteFrame(std::uint32_t address, std::uint8_t value);
Frame writeWordFrame(std::uint32_t address, std::uint8_t atAddress, std::uint8_t atNextAddress);
Frame setDividerFrame(std::uint8_t divider);
Frame startFrame();

// Sends 'C' with the address and receives its answer: the target's byte, or 0
// after a time-out or line error (the link's connection state tells them apart).
std::uint8_t readTargetByte(SerialLink& link, std::uint16_t address);

// The wire part of the reset step: RTS pulse, the four greeting bytes compared
// as they come (the first wrong one, or a time-out, flushes the line and fails),
// then 'R' and 'U' with the link's divider. A good greeting sets the link's
// connection state to 1 before 'R' goes out. Status texts are the caller's.
bool greetInterface(SerialLink& link);
