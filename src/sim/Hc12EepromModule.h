// The EEPROM module of the HC12 parts (68HC912B32, D60, D60A, DG128A, 68HC812A4):
// registers 0x00EC to 0x00F3. Program and erase are driven by the PC bit by bit
// through EEPROG; the programming pulse is as long as the PC's pause.
#pragma once

#include <functional>
#include <string>

#include "sim/EepromModule.h"
#include "sim/SimFaults.h"
#include "sim/SimParts.h"

namespace Hc12Reg {
inline constexpr std::uint16_t INITEE = 0x0012;
inline constexpr std::uint16_t EEDIVH = 0x00EE;
inline constexpr std::uint16_t EEDIVL = 0x00EF;
inline constexpr std::uint16_t EEMCR = 0x00F0;
inline constexpr std::uint16_t EEPROT = 0x00F1;
inline constexpr std::uint16_t EEPROG = 0x00F3;
} // namespace Hc12Reg

namespace Eeprog {
inline constexpr std::uint8_t BULKP = 0x80;
inline constexpr std::uint8_t AUTO = 0x20;
inline constexpr std::uint8_t BYTE = 0x10;
inline constexpr std::uint8_t ROW = 0x08;
inline constexpr std::uint8_t ERASE = 0x04;
inline constexpr std::uint8_t EELAT = 0x02;
inline constexpr std::uint8_t EEPGM = 0x01;
} // namespace Eeprog

class Hc12EepromModule : public EepromModule {
public:
    using NoteSink = std::function<void(const std::string&, std::uint64_t)>;

    // The shortest programming or erase pulse that takes effect.
    static constexpr std::uint64_t MIN_PULSE_US = 10'000;
    static constexpr std::uint16_t ROW_BYTES = 32;

    Hc12EepromModule(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note);

    void reset() override;
    bool ownsRegister(std::uint16_t address) const override;
    std::uint8_t readRegister(std::uint16_t address) override;
    void writeRegister(std::uint16_t address, std::uint8_t value, const AccessTime& at) override;
    std::optional<std::uint16_t> arrayBase() const override { return part_.eepromStart; }
    std::uint8_t readArray(std::uint16_t offset) override;
    void writeArray(std::uint16_t offset, const std::vector<std::uint8_t>& values, const AccessTime& at) override;

    bool isProtected(std::uint16_t offset) const;

private:
    void writeEeprog(std::uint8_t value, const AccessTime& at);
    void applyLatchedOperation(std::uint64_t atUs);
    bool dividerAllowsProgramming(std::uint64_t atUs);
    void eraseRange(std::uint16_t first, std::uint16_t count);

    const SimPart& part_;
    int crystalMHz_;
    const SimFaults& faults_;
    NoteSink note_;

    std::uint8_t initee_ = 0x01;
    std::uint8_t eemcr_ = 0;
    std::uint8_t eeprot_ = 0xFF;
    std::uint8_t eedivh_ = 0;
    std::uint8_t eedivl_ = 0;
    std::uint8_t eeprog_ = 0;
    std::uint64_t pulseStartUs_ = 0;

    // The last array write made while EELAT was 1: offsets and data.
    std::vector<std::pair<std::uint16_t, std::uint8_t>> latched_;
};
