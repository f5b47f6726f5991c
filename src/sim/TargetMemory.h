// The simulated target's 64 KiB memory map: the register block (0x0000 to
// 0x01FF, which wins over anything mapped below it), the EEPROM module of the
// part, and plain memory everywhere else (reads back what was last written,
// 0x00 at start).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <memory>

#include "sim/EepromModule.h"
#include "sim/SimFaults.h"
#include "sim/SimParts.h"

class TargetMemory {
public:
    using NoteSink = std::function<void(const std::string&, std::uint64_t)>;

    static constexpr std::uint16_t REGISTER_END = 0x0200;
    // *simplified*: a fixed 0x00 the interface reads to tell that its clock
    // divider suits the crystal.
    static constexpr std::uint16_t PROBE_ADDRESS = 0x000F;

    TargetMemory(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note);

    // A target reset: registers back to their reset values, memory kept.
    void reset();

    std::uint8_t read(std::uint16_t address, std::uint64_t nowUs);
    void writeByte(std::uint16_t address, std::uint8_t value, const AccessTime& at);
    void writeWord(std::uint16_t address, std::uint8_t first, std::uint8_t second, const AccessTime& at);

    EepromModule& eeprom() { return *eeprom_; }
    const SimPart& part() const { return part_; }
    // Plain memory, bypassing registers and EEPROM (tests).
    std::uint8_t& plain(std::uint16_t address) { return plain_[address]; }

private:
    // The EEPROM offset of an address, when the array answers there.
    std::optional<std::uint16_t> arrayOffset(std::uint16_t address) const;

    const SimPart& part_;
    std::unique_ptr<EepromModule> eeprom_;
    std::array<std::uint8_t, 0x10000> plain_{};
};
