// The EEPROM module of the MC9S12 parts (EETS2K): INITEE and MEMSIZ0 in the core
// block, ECLKDIV to ECMD at 0x0110 to 0x0116. Program and erase run as commands:
// the PC writes one aligned word to the array, the command to ECMD, then launches
// it through ESTAT, and the module finishes it on its own after a while.
#pragma once

#include <functional>
#include <string>

#include "sim/EepromModule.h"
#include "sim/SimFaults.h"
#include "sim/SimParts.h"

namespace S12Reg {
inline constexpr std::uint16_t INITEE = 0x0012;
inline constexpr std::uint16_t MEMSIZ0 = 0x001C;
inline constexpr std::uint16_t ECLKDIV = 0x0110;
inline constexpr std::uint16_t EPROT = 0x0114;
inline constexpr std::uint16_t ESTAT = 0x0115;
inline constexpr std::uint16_t ECMD = 0x0116;
} // namespace S12Reg

namespace Estat {
inline constexpr std::uint8_t CBEIF = 0x80;
inline constexpr std::uint8_t CCIF = 0x40;
inline constexpr std::uint8_t PVIOL = 0x20;
inline constexpr std::uint8_t ACCERR = 0x10;
inline constexpr std::uint8_t BLANK = 0x04;
inline constexpr std::uint8_t BIT0 = 0x01;
} // namespace Estat

namespace EepromCommand {
inline constexpr std::uint8_t ERASE_VERIFY = 0x05;
inline constexpr std::uint8_t WORD_PROGRAM = 0x20;
inline constexpr std::uint8_t SECTOR_ERASE = 0x40;
inline constexpr std::uint8_t MASS_ERASE = 0x41;
} // namespace EepromCommand

class Mc9s12EepromModule : public EepromModule {
public:
    using NoteSink = std::function<void(const std::string&, std::uint64_t)>;

    // How long each command keeps CCIF clear.
    static constexpr std::uint64_t WORD_PROGRAM_US = 46;
    static constexpr std::uint64_t SECTOR_ERASE_US = 20'000;
    static constexpr std::uint64_t MASS_ERASE_US = 100'000;
    static constexpr std::uint64_t ERASE_VERIFY_US = 50;
    // The EEPROM clock that program and erase need.
    static constexpr std::uint32_t MIN_CLOCK_HZ = 150'000;
    static constexpr std::uint32_t MAX_CLOCK_HZ = 200'000;

    Mc9s12EepromModule(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note);

    void reset() override;
    void advance(std::uint64_t nowUs) override;
    bool ownsRegister(std::uint16_t address) const override;
    std::uint8_t readRegister(std::uint16_t address) override;
    void writeRegister(std::uint16_t address, std::uint8_t value, const AccessTime& at) override;
    std::optional<std::uint16_t> arrayBase() const override;
    std::uint8_t readArray(std::uint16_t offset) override;
    void writeArray(std::uint16_t offset, const std::vector<std::uint8_t>& values, const AccessTime& at) override;

    // The number of bytes at the top of the array that EPROT protects (all of
    // them while EPOPEN is 0).
    std::uint32_t protectedBytes() const;

private:
    enum class Sequence { Idle, WordWritten, CommandWritten };

    void accessError(const char* cause, std::uint64_t atUs);
    void writeEprot(std::uint8_t value);
    void writeEstat(std::uint8_t value, std::uint64_t atUs);
    void launch(std::uint64_t atUs);
    bool clockInRange(std::uint64_t atUs);
    void finishCommand();

    const SimPart& part_;
    int crystalMHz_;
    const SimFaults& faults_;
    NoteSink note_;

    std::uint8_t initee_ = 0x09;
    std::uint8_t eclkdiv_ = 0;
    std::uint8_t eprot_ = 0xFF;
    std::uint8_t flags_ = 0; // CBEIF, CCIF, PVIOL, ACCERR, BLANK
    std::uint8_t ecmd_ = 0;

    Sequence sequence_ = Sequence::Idle;
    std::uint16_t commandOffset_ = 0;
    std::uint8_t commandData_[2] = {0, 0};
    bool busy_ = false;
    std::uint64_t doneAtUs_ = 0;
};
