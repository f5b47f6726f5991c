#include "sim/TargetMemory.h"

#include "sim/Hc12EepromModule.h"
#include "sim/Mc9s12EepromModule.h"

TargetMemory::TargetMemory(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note)
    : part_(part)
{
    if (part.family == SimFamily::Hc12)
        eeprom_ = std::make_unique<Hc12EepromModule>(part, crystalMHz, faults, std::move(note));
    else
        eeprom_ = std::make_unique<Mc9s12EepromModule>(part, crystalMHz, faults, std::move(note));
}

void TargetMemory::reset() { eeprom_->reset(); }

std::optional<std::uint16_t> TargetMemory::arrayOffset(std::uint16_t address) const
{
    const auto base = eeprom_->arrayBase();
    if (address < REGISTER_END || !base || address < *base)
        return std::nullopt;
    const std::uint32_t offset = address - *base;
    if (offset >= eeprom_->cells().size())
        return std::nullopt;
    return static_cast<std::uint16_t>(offset);
}

std::uint8_t TargetMemory::read(std::uint16_t address, std::uint64_t nowUs)
{
    eeprom_->advance(nowUs);
    if (address == PROBE_ADDRESS)
        return 0x00;
    if (eeprom_->ownsRegister(address))
        return eeprom_->readRegister(address);
    if (const auto offset = arrayOffset(address))
        return eeprom_->readArray(*offset);
    return plain_[address];
}

void TargetMemory::writeByte(std::uint16_t address, std::uint8_t value, const AccessTime& at)
{
    eeprom_->advance(at.frameEndUs);
    if (address == PROBE_ADDRESS)
        return;
    if (eeprom_->ownsRegister(address))
        eeprom_->writeRegister(address, value, at);
    else if (const auto offset = arrayOffset(address))
        eeprom_->writeArray(*offset, {value}, at);
    else
        plain_[address] = value;
}

void TargetMemory::writeWord(std::uint16_t address, std::uint8_t first, std::uint8_t second, const AccessTime& at)
{
    const auto next = static_cast<std::uint16_t>(address + 1);
    const auto offset = arrayOffset(address);
    if (offset && arrayOffset(next)) {
        // One 16-bit access to the array, as the target's CPU would make it.
        eeprom_->advance(at.frameEndUs);
        eeprom_->writeArray(*offset, {first, second}, at);
        return;
    }
    writeByte(address, first, at);
    writeByte(next, second, at);
}
