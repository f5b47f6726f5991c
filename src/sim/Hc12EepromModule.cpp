#include "sim/Hc12EepromModule.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr std::uint8_t PROTLCK = 0x02; // EEMCR bit 1: EEPROT frozen
}

Hc12EepromModule::Hc12EepromModule(const SimPart& part, int crystalMHz, const SimFaults& faults, NoteSink note)
    : EepromModule(part.eepromSize), part_(part), crystalMHz_(crystalMHz), faults_(faults), note_(std::move(note))
{
    reset();
}

void Hc12EepromModule::reset()
{
    // *simplified*: INITEE reads 0x01 (EEPROM on); the array stays at the part's
    // address whatever is written, as in normal mode where the start-up code
    // has already used INITEE's single write.
    initee_ = 0x01;
    eemcr_ = faults_.eeprotLocked ? PROTLCK : 0;
    eeprot_ = 0xFF; // every block protected after reset
    eedivh_ = eedivl_ = 0;
    eeprog_ = 0;
    latched_.clear();
}

bool Hc12EepromModule::ownsRegister(std::uint16_t address) const
{
    using namespace Hc12Reg;
    if (address == EEDIVH || address == EEDIVL)
        return part_.hasEepromDivider;
    return address == INITEE || address == EEMCR || address == EEPROT || address == EEPROG;
}

std::uint8_t Hc12EepromModule::readRegister(std::uint16_t address)
{
    switch (address) {
    case Hc12Reg::INITEE: return initee_;
    case Hc12Reg::EEDIVH: return eedivh_;
    case Hc12Reg::EEDIVL: return eedivl_;
    case Hc12Reg::EEMCR: return eemcr_;
    case Hc12Reg::EEPROT: return eeprot_;
    default: return eeprog_;
    }
}

void Hc12EepromModule::writeRegister(std::uint16_t address, std::uint8_t value, const AccessTime& at)
{
    switch (address) {
    case Hc12Reg::INITEE:
        initee_ = value;
        break;
    case Hc12Reg::EEDIVH:
        eedivh_ = value & 0x03; // EEDIV is 10 bits wide
        break;
    case Hc12Reg::EEDIVL:
        eedivl_ = value;
        break;
    case Hc12Reg::EEMCR:
        // PROTLCK can only be set; it stays until reset.
        eemcr_ = static_cast<std::uint8_t>(value | (eemcr_ & PROTLCK));
        break;
    case Hc12Reg::EEPROT:
        if (eemcr_ & PROTLCK)
            note_("EEPROT write ignored: PROTLCK set", at.frameEndUs);
        else
            eeprot_ = value;
        break;
    default:
        writeEeprog(value, at);
        break;
    }
}

void Hc12EepromModule::writeEeprog(std::uint8_t value, const AccessTime& at)
{
    using namespace Eeprog;
    const bool wasPgm = eeprog_ & EEPGM;
    if (wasPgm) {
        // While the programming voltage is on, only EEPGM itself can change.
        if (!(value & EEPGM)) {
            eeprog_ &= static_cast<std::uint8_t>(~EEPGM);
            const std::uint64_t pulseUs = at.frameStartUs - pulseStartUs_;
            if (pulseUs >= MIN_PULSE_US) {
                applyLatchedOperation(at.frameEndUs);
            } else {
                char text[80];
                std::snprintf(text, sizeof text, "EEPGM pulse of %llu us too short, nothing applied",
                              static_cast<unsigned long long>(pulseUs));
                note_(text, at.frameEndUs);
            }
        }
        return;
    }
    std::uint8_t next = value;
    if ((value & EEPGM) && !((eeprog_ & EELAT) && (value & EELAT))) {
        // EEPGM needs EELAT already set; the write sets the other bits only.
        next &= static_cast<std::uint8_t>(~EEPGM);
        note_("EEPGM set without EELAT, ignored", at.frameEndUs);
    }
    if (!(next & EELAT))
        latched_.clear();
    if (next & EEPGM) {
        // *simplified*: the pulse is the quiet time the PC leaves between the end of
        // the frame that sets EEPGM and the start of the one that clears it, so the
        // program's own pause alone decides whether the cell is programmed.
        pulseStartUs_ = at.frameEndUs;
    }
    eeprog_ = next;
}

void Hc12EepromModule::writeArray(std::uint16_t offset, const std::vector<std::uint8_t>& values, const AccessTime& at)
{
    using namespace Eeprog;
    if (!(eeprog_ & EELAT) || (eeprog_ & EEPGM)) {
        if (eeprog_ & EEPGM)
            note_("array write while EEPGM set, ignored", at.frameEndUs);
        return; // without EELAT the array cannot be written directly
    }
    // *simplified*: the last array write replaces what was latched before.
    latched_.clear();
    for (std::size_t i = 0; i < values.size(); ++i)
        latched_.emplace_back(static_cast<std::uint16_t>(offset + i), values[i]);
}

std::uint8_t Hc12EepromModule::readArray(std::uint16_t offset)
{
    // *simplified*: while the array is latched for programming it does not read back.
    if (eeprog_ & Eeprog::EELAT)
        return 0x00;
    return cells_[offset];
}

bool Hc12EepromModule::isProtected(std::uint16_t offset) const
{
    const auto& blocks = part_.protectionBlocks;
    std::uint32_t blockStart = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (offset < blockStart + blocks[i]) {
            const int bit = static_cast<int>(blocks.size() - 1 - i);
            return eeprot_ & (1u << bit);
        }
        blockStart += blocks[i];
    }
    return true;
}

bool Hc12EepromModule::dividerAllowsProgramming(std::uint64_t atUs)
{
    if (!part_.hasEepromDivider)
        return true;
    const int divider = (eedivh_ << 8) | eedivl_;
    if (divider == 0) {
        note_("EEDIV is 0, program/erase not applied", atUs);
        return false;
    }
    // The documented divider is the crystal frequency times 35 us.
    const int expected = crystalMHz_ * 35;
    if (std::abs(divider - expected) * 10 > expected) {
        char text[96];
        std::snprintf(text, sizeof text, "timing fault: EEDIV %d, %d expected at %d MHz, not applied", divider,
                      expected, crystalMHz_);
        note_(text, atUs);
        return false;
    }
    return true;
}

void Hc12EepromModule::eraseRange(std::uint16_t first, std::uint16_t count)
{
    for (std::uint32_t i = first; i < std::uint32_t(first) + count && i < cells_.size(); ++i)
        if (!isProtected(static_cast<std::uint16_t>(i)))
            cells_[i] = 0xFF;
}

void Hc12EepromModule::applyLatchedOperation(std::uint64_t atUs)
{
    using namespace Eeprog;
    if (!dividerAllowsProgramming(atUs))
        return;
    if (latched_.empty()) {
        note_("programming pulse with nothing latched", atUs);
        return;
    }
    if (eeprog_ & ERASE) {
        const std::uint16_t at = latched_.front().first;
        if (eeprog_ & BYTE) {
            for (const auto& [offset, data] : latched_)
                eraseRange(offset, 1);
        } else if (eeprog_ & ROW) {
            eraseRange(static_cast<std::uint16_t>(at - at % ROW_BYTES), ROW_BYTES);
        } else if (eeprog_ & BULKP) {
            note_("bulk erase refused: BULKP set", atUs);
        } else {
            eraseRange(0, static_cast<std::uint16_t>(cells_.size()));
        }
        return;
    }
    for (const auto& [offset, data] : latched_) {
        if (isProtected(offset) || faults_.cellsThatNeverProgram.count(offset))
            continue;
        cells_[offset] &= data; // programming only clears bits
    }
}
