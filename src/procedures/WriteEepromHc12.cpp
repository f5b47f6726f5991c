// The HC12 family's register procedure: EEMCR and EEPROT opened once, then
// each word erased and programmed through EEPROG, the PC's pauses giving the
// erase and programming times.
#include "procedures/WriteEepromFamily.h"

#include "procedures/TargetRegisters.h"

namespace {

// After the erase pulse ends, the charge pump needs longer than a frame's pause.
constexpr std::uint32_t ERASE_SETTLE_MS = 20;

class Hc12Eeprom : public EepromFamily {
public:
    explicit Hc12Eeprom(WriteSteps& steps) : steps_(steps) {}

    bool setUp() override
    {
        steps_.writeByte(reg::INITEE, value::INITEE_HC12, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEMCR, value::EEMCR_SETUP, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROT, value::EEPROT_NONE, WRITE_FRAME_PAUSE_MS);
        return true;
    }

    // Words are erased one at a time.
    bool eraseBeforeWords(std::uint16_t) override { return true; }

    // BYTE erase of the latched word, a 10 ms pulse.
    void eraseWord(std::uint16_t address) override
    {
        steps_.writeByte(reg::EEPROG, value::EEPROG_ERASE_LATCH, WRITE_FRAME_PAUSE_MS);
        steps_.writeWord(address, value::ERASED, value::ERASED, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROG, value::EEPROG_ERASE_ON, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROG, value::EEPROG_ERASE_LATCH, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROG, value::EEPROG_IDLE, ERASE_SETTLE_MS);
    }

    void programWord(std::uint16_t address, std::uint8_t atAddress, std::uint8_t atNextAddress) override
    {
        steps_.writeByte(reg::EEPROG, value::EEPROG_PROGRAM_LATCH, WRITE_FRAME_PAUSE_MS);
        steps_.writeWord(address, atAddress, atNextAddress, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROG, value::EEPROG_PROGRAM_ON, WRITE_FRAME_PAUSE_MS); // the programming time
        steps_.writeByte(reg::EEPROG, value::EEPROG_PROGRAM_LATCH, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::EEPROG, value::EEPROG_IDLE, WRITE_FRAME_PAUSE_MS);
    }

private:
    WriteSteps& steps_;
};

} // namespace

std::unique_ptr<EepromFamily> hc12Eeprom(WriteSteps& steps) { return std::make_unique<Hc12Eeprom>(steps); }

void setHc912dEepromDivider(WriteSteps& steps)
{
    steps.writeByte(reg::EEDIVH, steps.crystal().eedivHigh, WRITE_FRAME_PAUSE_MS);
    steps.writeByte(reg::EEDIVL, steps.crystal().eedivLow, WRITE_FRAME_PAUSE_MS);
}
