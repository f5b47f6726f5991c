// Frame builders, the divider rule and the reset handshake of the interface.
#include "procedures/InterfaceCommands.h"

#include <algorithm>

#include "procedures/CrystalTable.h"
#include "serial/SerialLink.h"

namespace {

std::uint8_t addressHigh(std::uint32_t address) { return static_cast<std::uint8_t>((address >> 8) & 0xFF); }
std::uint8_t addressLow(std::uint32_t address) { return static_cast<std::uint8_t>(address & 0xFF); }

} // namespace

std::uint8_t dividerForCrystal(std::uint8_t current, int crystalMHz)
{
    const Crystal* crystal = findCrystal(crystalMHz);
    if (!crystal)
        return current;
    return static_cast<std::uint8_t>((current & DIVIDER_KEEP_MASK) | crystal->dividerBits);
}

Frame::Frame(std::initializer_list<std::uint8_t> bytes)
    : length_(std::min(bytes.size(), bytes_.size()))
{
    std::copy_n(bytes.begin(), length_, bytes_.begin());
}

Frame readByteFrame(std::uint32_t address) { return {CMD_READ_BYTE, addressHigh(address), addressLow(address)}; }

Frame readWordFrame(std::uint32_t address) { return {CMD_READ_WORD, addressHigh(address), addressLow(address)}; }

Frame writeByteFrame(std::uint32_t address, std::uint8_t value)
{
    return {CMD_WRITE_BYTE, addressHigh(address), addressLow(address), value};
}

Frame writeWordFrame(std::uint32_t address, std::uint8_t atAddress, std::uint8_t atNextAddress)
{
    return {CMD_WRITE_WORD, addressHigh(address), addressLow(address), atAddress, atNextAddress};
}

Frame setDividerFrame(std::uint8_t divider) { return {CMD_SET_DIVIDER, divider}; }

Frame startFrame() { return {CMD_START}; }

std::uint8_t readTargetByte(SerialLink& link, std::uint16_t address)
{
    link.sendRequest(readByteFrame(address).bytes());
    return link.receiveByte();
}

bool greetInterface(SerialLink& link)
{
    // A 200 ms pulse on RTS resets the interface; it greets after settling.
    link.setRts(true);
    link.clock().pause(RESET_PULSE_MS);
    link.setRts(false);
    link.clock().pause(RESET_SETTLE_MS);

    // Four bytes of up to 300 ms each; a time-out reads as 0x00 and so differs.
    for (const std::uint8_t expected : GREETING) {
        if (link.receiveByte() != expected) {
            link.flushLine();
            return false;
        }
    }
    link.setConnectionState(1);

    link.sendFrame(startFrame().bytes());
    link.clock().pause(START_TO_DIVIDER_MS);
    link.sendFrame(setDividerFrame(link.clockDivider()).bytes());
    return true;
}
