// The MC9S12 family's register procedure: EPROT opened and ECLKDIV set once,
// the whole EEPROM mass-erased through ECMD and ESTAT, then each word
// programmed by a word-program command, its end awaited on CCIF.
#include "procedures/WriteEepromFamily.h"

#include "procedures/TargetRegisters.h"

namespace {

// The word-program command is given longer than a frame's pause before it is launched.
constexpr std::uint32_t COMMAND_SETTLE_MS = 20;

// The CCIF polls end after ten times the command's documented duration, and
// never sooner than a second, so that a target that answers but never
// finishes cannot hold the program forever (word program ~46 µs, mass erase
// ~100 ms: both come to one second).
constexpr std::uint32_t CCIF_POLL_LIMIT_MS = 1000;
constexpr std::uint32_t CCIF_POLL_INTERVAL_MS = 10;

// EPROT's EP bits protect the last (EP + 1) × 64 bytes.
constexpr unsigned PROTECTED_BLOCK_BYTES = 64;

class Mc9s12Eeprom : public EepromFamily {
public:
    explicit Mc9s12Eeprom(WriteSteps& steps) : steps_(steps) {}

    bool setUp() override
    {
        steps_.writeByte(reg::EPROT, value::EPROT_OPEN, WRITE_FRAME_PAUSE_MS);
        const std::uint8_t eprot = steps_.readByte(reg::EPROT);
        if (steps_.stoppedByLostConnection())
            return false;
        if ((eprot & value::EPROT_EPOPEN) == 0) {
            steps_.fail(toStdString(texts::WRITE_ALL_PROTECTED));
            return false;
        }
        if ((eprot & value::EPROT_EPDIS) == 0) {
            const unsigned protectedBytes = ((eprot & value::EPROT_EP) + 1u) * PROTECTED_BLOCK_BYTES;
            steps_.fail(toStdString(texts::WRITE_LAST_PROTECTED_1) + std::to_string(protectedBytes) +
                        toStdString(texts::WRITE_LAST_PROTECTED_2));
            return false;
        }

        steps_.readByte(reg::ECLKDIV);
        // ECLKDIV can be written once after reset; the EEPROM clock must come to
        // 150..200 HZ for the programming and erase times to hold.
        steps_.writeByte(reg::ECLKDIV, steps_.crystal().eclkdiv, WRITE_FRAME_PAUSE_MS);
        const std::uint8_t loaded = steps_.readByte(reg::ECLKDIV);
        if (steps_.stoppedByLostConnection())
            return false;
        if ((loaded & value::ECLKDIV_EDIVLD) == 0) {
            steps_.fail(toStdString(texts::WRITE_ECLKDIV_NOT_SET));
            return false;
        }
        return true;
    }

    // The mass erase wants a word written into the EEPROM first: the start's.
    bool eraseBeforeWords(std::uint16_t start) override
    {
        const std::uint8_t idle = steps_.readByte(reg::ESTAT);
        if (steps_.stoppedByLostConnection())
            return false;
        if (idle != value::ESTAT_IDLE) {
            steps_.fail(toStdString(texts::WRITE_ESTAT_ERRORS));
            return false;
        }
        steps_.writeWord(start, value::ERASED, value::ERASED, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::ECMD, value::ECMD_MASS_ERASE, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::ESTAT, value::ESTAT_LAUNCH_ERASE, WRITE_FRAME_PAUSE_MS);
        // An erase that never completes is reported like one the chip refused.
        const Poll erased = waitForCommandComplete();
        if (erased == Poll::ConnectionLost) {
            steps_.stoppedByLostConnection();
            return false;
        }
        if (erased == Poll::TimedOut || (steps_.readByte(reg::ESTAT) & value::ESTAT_PVIOL_ACCERR) != 0) {
            steps_.fail(toStdString(texts::WRITE_PVIOL_ERRORS));
            return false;
        }
        return !steps_.stoppedByLostConnection();
    }

    // Mass-erased before the first word.
    void eraseWord(std::uint16_t) override {}

    void programWord(std::uint16_t address, std::uint8_t atAddress, std::uint8_t atNextAddress) override
    {
        steps_.writeWord(address, atAddress, atNextAddress, WRITE_FRAME_PAUSE_MS);
        steps_.writeByte(reg::ECMD, value::ECMD_WORD_PROGRAM, COMMAND_SETTLE_MS);
        steps_.writeByte(reg::ESTAT, value::ESTAT_CBEIF, WRITE_FRAME_PAUSE_MS);
        // A word whose poll ran out is verified like any other.
        waitForCommandComplete();
    }

private:
    enum class Poll { Done, ConnectionLost, TimedOut };

    Poll waitForCommandComplete()
    {
        const std::uint32_t begin = steps_.tick();
        for (;;) {
            steps_.pause(CCIF_POLL_INTERVAL_MS);
            if (steps_.readByte(reg::ESTAT) & value::ESTAT_CCIF)
                return Poll::Done;
            if (!steps_.connected())
                return Poll::ConnectionLost;
            if (steps_.tick() - begin >= CCIF_POLL_LIMIT_MS)
                return Poll::TimedOut;
        }
    }

    WriteSteps& steps_;
};

} // namespace

std::unique_ptr<EepromFamily> mc9s12Eeprom(WriteSteps& steps) { return std::make_unique<Mc9s12Eeprom>(steps); }
