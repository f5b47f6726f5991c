#include "sim/Mc9s12EepromModule.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {
constexpr std::uint8_t EDIVLD = 0x80;
constexpr std::uint8_t PRDIV8 = 0x40;
constexpr std::uint8_t EPOPEN = 0x80;
constexpr std::uint8_t EPDIS = 0x08;
constexpr std::uint8_t EP_MASK = 0x07;
constexpr std::uint8_t EEON = 0x01;

bool isKnownCommand(std::uint8_t command)
{
    using namespace EepromCommand;
    return command == ERASE_VERIFY || command == WORD_PROGRAM || command == SECTOR_ERASE || command == MASS_ERASE;
}
} // namespace

Mc9s12EepromModule::Mc9s12EepromModule(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note)
    : EepromModule(part.eepromSize), part_(part), crystalMHz_(crystalMHz), faults_(faults), note_(std::move(note))
{
    reset();
}

void Mc9s12EepromModule::reset()
{
    initee_ = 0x09; // EEPROM on, at 0x0800
    eclkdiv_ = 0;
    eprot_ = faults_.eprotAtReset.value_or(0xFF); // loaded from the protection byte of the array
    flags_ = Estat::CBEIF | Estat::CCIF;
    ecmd_ = 0;
    sequence_ = Sequence::Idle;
    busy_ = false;
}

void Mc9s12EepromModule::advance(std::uint64_t nowUs)
{
    if (busy_ && nowUs >= doneAtUs_)
        finishCommand();
}

bool Mc9s12EepromModule::ownsRegister(std::uint16_t address) const
{
    using namespace S12Reg;
    return address == INITEE || address == MEMSIZ0 || (address >= ECLKDIV && address <= ECMD);
}

std::uint8_t Mc9s12EepromModule::readRegister(std::uint16_t address)
{
    switch (address) {
    case S12Reg::INITEE: return initee_;
    case S12Reg::MEMSIZ0: return part_.memsiz0;
    case S12Reg::ECLKDIV: return eclkdiv_;
    case S12Reg::EPROT: return eprot_;
    case S12Reg::ESTAT: {
        // *simplified*: bit 0 reads 1, so that an idle module reads 0xC1 as the
        // program expects (the documentation shows it unimplemented).
        std::uint8_t value = flags_ | Estat::BIT0;
        if (faults_.estatNotReady && !busy_)
            value &= static_cast<std::uint8_t>(~Estat::CCIF);
        return value;
    }
    case S12Reg::ECMD: return ecmd_;
    default: return 0x00; // reserved registers of the module
    }
}

void Mc9s12EepromModule::writeRegister(std::uint16_t address, std::uint8_t value, const AccessTime& at)
{
    switch (address) {
    case S12Reg::INITEE:
        initee_ = value; // moves the array: base = (value AND 0xF8) x 256
        break;
    case S12Reg::ECLKDIV:
        if (eclkdiv_ & EDIVLD)
            note_("ECLKDIV already loaded, write ignored", at.frameEndUs);
        else
            eclkdiv_ = value | EDIVLD; // the first write after reset sets it for good
        break;
    case S12Reg::EPROT:
        writeEprot(value);
        break;
    case S12Reg::ESTAT:
        writeEstat(value, at.frameEndUs);
        break;
    case S12Reg::ECMD:
        if (sequence_ != Sequence::WordWritten) {
            accessError("command written before the array word", at.frameEndUs);
        } else if (!isKnownCommand(value)) {
            accessError("unknown command", at.frameEndUs);
        } else {
            ecmd_ = value;
            sequence_ = Sequence::CommandWritten;
        }
        break;
    default:
        break;
    }
}

void Mc9s12EepromModule::writeEprot(std::uint8_t value)
{
    // Protection can only grow until reset: EPOPEN and EPDIS only go to 0, and
    // the protected size is fixed once EPDIS is 0.
    std::uint8_t next = eprot_;
    next &= static_cast<std::uint8_t>(value | ~(EPOPEN | EPDIS));
    if (eprot_ & EPDIS)
        next = static_cast<std::uint8_t>((next & ~EP_MASK) | (value & EP_MASK));
    eprot_ = next;
}

void Mc9s12EepromModule::writeEstat(std::uint8_t value, std::uint64_t atUs)
{
    // PVIOL, ACCERR and BLANK are cleared by writing 1.
    flags_ &= static_cast<std::uint8_t>(~(value & (Estat::PVIOL | Estat::ACCERR | Estat::BLANK)));
    if (value & Estat::CBEIF)
        launch(atUs);
}

void Mc9s12EepromModule::accessError(const char* cause, std::uint64_t atUs)
{
    flags_ |= Estat::ACCERR;
    sequence_ = Sequence::Idle;
    note_(std::string("ACCERR: ") + cause, atUs);
}

std::optional<std::uint16_t> Mc9s12EepromModule::arrayBase() const
{
    if (!(initee_ & EEON))
        return std::nullopt;
    return static_cast<std::uint16_t>((initee_ & 0xF8) << 8);
}

std::uint8_t Mc9s12EepromModule::readArray(std::uint16_t offset) { return cells_[offset]; }

void Mc9s12EepromModule::writeArray(std::uint16_t offset, const std::vector<std::uint8_t>& values,
                                    const AccessTime& at)
{
    if (flags_ & (Estat::ACCERR | Estat::PVIOL)) {
        // *simplified*: no command sequence starts until the error flags are cleared.
        note_("array write ignored: ACCERR or PVIOL still set", at.frameEndUs);
        return;
    }
    if (busy_)
        return accessError("array write while a command runs", at.frameEndUs);
    if (!(eclkdiv_ & EDIVLD))
        return accessError("array write before ECLKDIV was loaded", at.frameEndUs);
    if (sequence_ != Sequence::Idle)
        return accessError("second array write before the command", at.frameEndUs);
    if (values.size() != 2)
        return accessError("byte write to the array", at.frameEndUs);
    if (offset % 2 != 0)
        return accessError("misaligned word write", at.frameEndUs);
    commandOffset_ = offset;
    commandData_[0] = values[0];
    commandData_[1] = values[1];
    sequence_ = Sequence::WordWritten;
}

std::uint32_t Mc9s12EepromModule::protectedBytes() const
{
    if (!(eprot_ & EPOPEN))
        return static_cast<std::uint32_t>(cells_.size());
    if (eprot_ & EPDIS)
        return 0;
    return 64u * ((eprot_ & EP_MASK) + 1u);
}

bool Mc9s12EepromModule::clockInRange(std::uint64_t atUs)
{
    const std::uint32_t predivider = (eclkdiv_ & PRDIV8) ? 8 : 1;
    const std::uint32_t clockHz = std::uint32_t(crystalMHz_) * 1'000'000u / predivider / ((eclkdiv_ & 0x3F) + 1u);
    if (clockHz >= MIN_CLOCK_HZ && clockHz <= MAX_CLOCK_HZ)
        return true;
    char text[96];
    std::snprintf(text, sizeof text, "timing fault: EEPROM clock %u Hz (ECLKDIV 0x%02X, %d MHz)", clockHz, eclkdiv_,
                  crystalMHz_);
    note_(text, atUs);
    return false;
}

void Mc9s12EepromModule::launch(std::uint64_t atUs)
{
    using namespace EepromCommand;
    if (busy_)
        return note_("launch while a command runs, ignored", atUs);
    if (sequence_ != Sequence::CommandWritten)
        return accessError("launch without array word and command", atUs);
    sequence_ = Sequence::Idle;
    std::uint64_t duration = ERASE_VERIFY_US;
    if (ecmd_ != ERASE_VERIFY) {
        // *simplified*: a real part under- or over-programs with a wrong clock.
        if (!clockInRange(atUs))
            return accessError("EEPROM clock out of range", atUs);
        const std::uint32_t firstProtected = static_cast<std::uint32_t>(cells_.size()) - protectedBytes();
        const bool hitsProtection =
            ecmd_ == MASS_ERASE ? protectedBytes() > 0 : protectedBytes() > 0 && commandOffset_ >= firstProtected;
        if (hitsProtection) {
            flags_ |= Estat::PVIOL;
            note_("PVIOL: command on the protected area", atUs);
            return;
        }
        duration = ecmd_ == WORD_PROGRAM ? WORD_PROGRAM_US : ecmd_ == SECTOR_ERASE ? SECTOR_ERASE_US : MASS_ERASE_US;
    }
    flags_ &= static_cast<std::uint8_t>(~(Estat::CBEIF | Estat::CCIF | Estat::BLANK));
    busy_ = true;
    doneAtUs_ = faults_.ccifNeverSet ? std::numeric_limits<std::uint64_t>::max() : atUs + duration;
}

void Mc9s12EepromModule::finishCommand()
{
    using namespace EepromCommand;
    busy_ = false;
    flags_ |= Estat::CBEIF | Estat::CCIF;
    switch (ecmd_) {
    case ERASE_VERIFY:
        if (std::all_of(cells_.begin(), cells_.end(), [](std::uint8_t b) { return b == 0xFF; }))
            flags_ |= Estat::BLANK;
        break;
    case WORD_PROGRAM:
        for (int i = 0; i < 2; ++i) {
            const auto offset = static_cast<std::uint16_t>(commandOffset_ + i);
            if (!faults_.cellsThatNeverProgram.count(offset))
                cells_[offset] &= commandData_[i]; // programming only clears bits
        }
        break;
    case SECTOR_ERASE:
        std::fill_n(cells_.begin() + (commandOffset_ & ~3), 4, 0xFF);
        break;
    default:
        std::fill(cells_.begin(), cells_.end(), 0xFF);
        break;
    }
}
