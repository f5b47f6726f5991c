// The EEPROM module of a simulated target: its control registers and its array.
// The target memory map asks it first for register addresses and for addresses
// inside the array window; everything else is plain memory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// When the interface carried out an access: a frame acts once its last byte has
// arrived, but the programming pulse is timed from the PC's pauses, so both ends
// of the frame are given.
struct AccessTime {
    std::uint64_t frameStartUs = 0;
    std::uint64_t frameEndUs = 0;
};

class EepromModule {
public:
    virtual ~EepromModule() = default;

    // Registers back to their reset values; the array keeps its contents.
    virtual void reset() = 0;

    // Lets time-driven work (a running MC9S12 command) catch up with nowUs.
    virtual void advance(std::uint64_t /*nowUs*/) {}

    virtual bool ownsRegister(std::uint16_t address) const = 0;
    virtual std::uint8_t readRegister(std::uint16_t address) = 0;
    virtual void writeRegister(std::uint16_t address, std::uint8_t value, const AccessTime& at) = 0;

    // The first address of the array window; none while it is not mapped.
    virtual std::optional<std::uint16_t> arrayBase() const = 0;
    virtual std::uint8_t readArray(std::uint16_t offset) = 0;
    // A byte write (one value) or an aligned or misaligned word write (two values)
    // through the array window; offset is the first byte's.
    virtual void writeArray(std::uint16_t offset, const std::vector<std::uint8_t>& values, const AccessTime& at) = 0;

    // The cells themselves, for tests and for the board's load/inspect calls.
    std::vector<std::uint8_t>& cells() { return cells_; }

protected:
    explicit EepromModule(std::size_t size) : cells_(size, 0xFF) {}
    std::vector<std::uint8_t> cells_;
};
