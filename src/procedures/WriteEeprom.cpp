#include "procedures/WriteEeprom.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "texts/ResultLines.h"
#include "procedures/ModelTable.h"
#include "procedures/TargetRegisters.h"

namespace {

constexpr int kMaxReprogrammings = 4; // a word is programmed five times at most
constexpr std::uint32_t kCursorEvery = 512;
// The longer waits: after the HC12 erase pulse ends, after the MC9S12 word
// command is written, and once between the set-up and the first word.
constexpr std::uint32_t kEraseSettleMs = 20;
constexpr std::uint32_t kCommandSettleMs = 20;
constexpr std::uint32_t kSetUpSettleMs = 20;

// The CCIF polls end after ten times the command's documented duration, and
// never sooner than a second, so that a target that answers but never
// finishes cannot hold the program forever (word program ~46 µs, mass erase
// ~100 ms: both come to one second).
constexpr std::uint32_t kCcifPollLimitMs = 1000;
constexpr std::uint32_t kCcifPollIntervalMs = 10;

class EepromWriter {
public:
    explicit EepromWriter(TargetSession& session)
        : s_(session), link_(session.link), buffer_(session.buffer), window_(session.window)
    {
    }

    void run();

private:
    enum class Stop { No, Yes };

    void pause(std::uint32_t ms) { s_.clock().pause(ms); }
    void writeByte(std::uint16_t address, std::uint8_t value, std::uint32_t pauseMs)
    {
        link_.sendFrame(writeByteFrame(address, value).bytes());
        pause(pauseMs);
    }
    void writeWord(std::uint16_t address, std::uint8_t b0, std::uint8_t b1, std::uint32_t pauseMs)
    {
        link_.sendFrame(writeWordFrame(address, b0, b1).bytes());
        pause(pauseMs);
    }
    void fail(const std::string& text) { window_.showBox(text, texts::CAPTION_ERROR, BoxIcon::Error); }
    // A register read of the set-up that timed out returns 0, which would read
    // as "protected" or "not ready": the lost connection is what the user must see.
    bool stoppedByLostConnection()
    {
        if (link_.connectionState() >= 1)
            return false;
        fail(toStdString(texts::CONNECTION_LOST));
        return true;
    }

    Stop setUpMc9s12();
    void setUpHc12();
    void setUpEepromDivider();
    Stop massEraseMc9s12();
    enum class Poll { Done, ConnectionLost, TimedOut };
    Poll waitForCommandComplete();

    void eraseWordHc12(std::uint16_t address);
    void programWord(std::uint16_t address, std::uint8_t b0, std::uint8_t b1);
    std::uint8_t byteToWrite(std::uint32_t offset, std::uint16_t address);
    void finish(std::uint32_t offset);

    TargetSession& s_;
    SerialLink& link_;
    TargetBuffer& buffer_;
    TargetWindow& window_;
    std::uint32_t count_ = 0;
    std::uint16_t start_ = 0;
    std::uint32_t failedWrites_ = 0;
};

EepromWriter::Stop EepromWriter::setUpMc9s12()
{
    writeByte(reg::EPROT, value::EPROT_OPEN, WRITE_FRAME_PAUSE_MS);
    const std::uint8_t eprot = link_.readTargetByte(reg::EPROT);
    if (stoppedByLostConnection())
        return Stop::Yes;
    if ((eprot & value::EPROT_EPOPEN) == 0) {
        fail(toStdString(texts::WRITE_ALL_PROTECTED));
        return Stop::Yes;
    }
    if ((eprot & value::EPROT_EPDIS) == 0) {
        const unsigned protectedBytes = ((eprot & value::EPROT_EP) + 1u) * 64u;
        fail(toStdString(texts::WRITE_LAST_PROTECTED_1) + std::to_string(protectedBytes) +
             toStdString(texts::WRITE_LAST_PROTECTED_2));
        return Stop::Yes;
    }

    link_.readTargetByte(reg::ECLKDIV);
    // ECLKDIV can be written once after reset; the EEPROM clock must come to
    // 150..200 kHz for the programming and erase times to hold.
    const std::uint8_t divider = s_.crystalMHz == 16  ? value::ECLKDIV_16MHZ
                                 : s_.crystalMHz == 8 ? value::ECLKDIV_8MHZ
                                                      : value::ECLKDIV_4MHZ;
    writeByte(reg::ECLKDIV, divider, WRITE_FRAME_PAUSE_MS);
    const std::uint8_t loaded = link_.readTargetByte(reg::ECLKDIV);
    if (stoppedByLostConnection())
        return Stop::Yes;
    if ((loaded & value::ECLKDIV_EDIVLD) == 0) {
        fail(toStdString(texts::WRITE_ECLKDIV_NOT_SET));
        return Stop::Yes;
    }
    return Stop::No;
}

void EepromWriter::setUpHc12()
{
    writeByte(reg::INITEE, value::INITEE_HC12, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEMCR, value::EEMCR_SETUP, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROT, value::EEPROT_NONE, WRITE_FRAME_PAUSE_MS);
}

// The HC912D parts time programming and erase from EEDIV, the crystal × 35 µs.
void EepromWriter::setUpEepromDivider()
{
    std::uint8_t high = value::EEDIVH_4MHZ;
    std::uint8_t low = value::EEDIVL_4MHZ;
    if (s_.crystalMHz == 16) {
        high = value::EEDIVH_16MHZ;
        low = value::EEDIVL_16MHZ;
    } else if (s_.crystalMHz == 8) {
        high = value::EEDIVH_8MHZ;
        low = value::EEDIVL_8MHZ;
    }
    writeByte(reg::EEDIVH, high, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEDIVL, low, WRITE_FRAME_PAUSE_MS);
}

EepromWriter::Poll EepromWriter::waitForCommandComplete()
{
    const std::uint32_t begin = s_.clock().tick();
    for (;;) {
        pause(kCcifPollIntervalMs);
        if (link_.readTargetByte(reg::ESTAT) & value::ESTAT_CCIF)
            return Poll::Done;
        if (link_.connectionState() < 1)
            return Poll::ConnectionLost;
        if (s_.clock().tick() - begin >= kCcifPollLimitMs)
            return Poll::TimedOut;
    }
}

EepromWriter::Stop EepromWriter::massEraseMc9s12()
{
    const std::uint8_t idle = link_.readTargetByte(reg::ESTAT);
    if (stoppedByLostConnection())
        return Stop::Yes;
    if (idle != value::ESTAT_IDLE) {
        fail(toStdString(texts::WRITE_ESTAT_ERRORS));
        return Stop::Yes;
    }
    writeWord(start_, value::ERASED, value::ERASED, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::ECMD, value::ECMD_MASS_ERASE, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::ESTAT, value::ESTAT_LAUNCH_ERASE, WRITE_FRAME_PAUSE_MS);
    // An erase that never completes is reported like one the chip refused.
    const Poll erased = waitForCommandComplete();
    if (erased == Poll::ConnectionLost) {
        stoppedByLostConnection();
        return Stop::Yes;
    }
    if (erased == Poll::TimedOut || (link_.readTargetByte(reg::ESTAT) & value::ESTAT_PVIOL_ACCERR) != 0) {
        fail(toStdString(texts::WRITE_PVIOL_ERRORS));
        return Stop::Yes;
    }
    return stoppedByLostConnection() ? Stop::Yes : Stop::No;
}

// HC12: the word is erased first (BYTE erase of the latched word, 10 ms pulse).
void EepromWriter::eraseWordHc12(std::uint16_t address)
{
    writeByte(reg::EEPROG, value::EEPROG_ERASE_LATCH, WRITE_FRAME_PAUSE_MS);
    writeWord(address, value::ERASED, value::ERASED, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROG, value::EEPROG_ERASE_ON, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROG, value::EEPROG_ERASE_LATCH, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROG, value::EEPROG_IDLE, kEraseSettleMs);
}

void EepromWriter::programWord(std::uint16_t address, std::uint8_t b0, std::uint8_t b1)
{
    if (s_.mc9s12Mode) {
        writeWord(address, b0, b1, WRITE_FRAME_PAUSE_MS);
        writeByte(reg::ECMD, value::ECMD_WORD_PROGRAM, kCommandSettleMs);
        writeByte(reg::ESTAT, value::ESTAT_CBEIF, WRITE_FRAME_PAUSE_MS);
        // A word whose poll ran out is verified like any other.
        waitForCommandComplete();
        return;
    }
    writeByte(reg::EEPROG, value::EEPROG_PROGRAM_LATCH, WRITE_FRAME_PAUSE_MS);
    writeWord(address, b0, b1, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROG, value::EEPROG_PROGRAM_ON, WRITE_FRAME_PAUSE_MS); // the programming time
    writeByte(reg::EEPROG, value::EEPROG_PROGRAM_LATCH, WRITE_FRAME_PAUSE_MS);
    writeByte(reg::EEPROG, value::EEPROG_IDLE, WRITE_FRAME_PAUSE_MS);
}

// A cell never read or loaded is taken from the target, so that it keeps its
// old value (on the HC12; the MC9S12 has been mass-erased by then).
std::uint8_t EepromWriter::byteToWrite(std::uint32_t offset, std::uint16_t address)
{
    return buffer_.isEmpty(offset) ? link_.readTargetByte(address) : buffer_.getByte(offset);
}

void EepromWriter::run()
{
    if (buffer_.byteCount() == 0)
        return;
    alignRangeToWords(s_);
    // The grid holds at least the buffer's count in normal use; a count raised
    // by hand beyond what it holds is written only as far as it holds.
    count_ = std::min(buffer_.byteCount(), buffer_.capacity() & ~1u);
    start_ = buffer_.startAddress();
    buffer_.scrollToTop();

    link_.flushLine();
    link_.sendFrame(setDividerFrame(link_.clockDivider()).bytes());
    link_.readTargetByte(reg::INITEE);

    if (s_.mc9s12Mode) {
        if (setUpMc9s12() == Stop::Yes)
            return;
    } else {
        setUpHc12();
    }
    if (hasEepromDivider(s_.currentModel))
        setUpEepromDivider();
    if (s_.mc9s12Mode && massEraseMc9s12() == Stop::Yes)
        return;

    pause(kSetUpSettleMs);
    link_.flushLine();

    // The selection is taken once: marking a failed cell below changes the
    // grid's selection, and must not make the rest of the selected words skip.
    const bool selectionOnly = window_.selectionChecked();
    std::vector<bool> selected;
    std::uint32_t total = count_;
    if (selectionOnly) {
        selected.resize(count_);
        for (std::uint32_t k = 0; k < count_; ++k)
            selected[k] = buffer_.isSelected(k);
        total = std::uint32_t(std::count(selected.begin(), selected.end(), true));
    }
    window_.progressStart(total);
    failedWrites_ = 0;

    std::uint32_t offset = 0;
    for (; offset < count_ && !window_.stopRequested(); offset += 2) {
        const auto address = static_cast<std::uint16_t>(start_ + offset);
        const bool skipped = selectionOnly && !selected[offset] && !selected[offset + 1];
        if (!skipped) {
            const std::uint8_t b0 = byteToWrite(offset, address);
            const std::uint8_t b1 = byteToWrite(offset + 1, static_cast<std::uint16_t>(address + 1));
            if (!s_.mc9s12Mode)
                eraseWordHc12(address);
            link_.flushLine();
            if (b0 != value::ERASED || b1 != value::ERASED) {
                int retryCount = 0;
                bool again = true;
                while (again) {
                    again = false;
                    programWord(address, b0, b1);
                    link_.sendFrame(readWordFrame(address).bytes());
                    const std::uint8_t r0 = link_.receiveByte();
                    const std::uint8_t r1 = link_.receiveByte();
                    const std::array<std::pair<std::uint8_t, std::uint8_t>, 2> checks{{{r0, b0}, {r1, b1}}};
                    for (std::uint32_t i = 0; i < 2 && !again; ++i) {
                        if (checks[i].first == checks[i].second)
                            continue;
                        if (retryCount < kMaxReprogrammings) {
                            ++retryCount;
                            window_.noteRetry();
                            again = true;
                        } else {
                            buffer_.markRed(offset + i);
                            buffer_.addToSelection(offset + i);
                            ++failedWrites_;
                        }
                    }
                }
                if (failedWrites_ != 0 && (failedWrites_ == count_ / 10 || failedWrites_ == count_ / 20)) {
                    const std::string question = toStdString(texts::WRITE_FAILED_1) + std::to_string(failedWrites_) +
                                                 toStdString(texts::WRITE_FAILED_2) + "\n" +
                                                 toStdString(texts::WRITE_CONTINUE);
                    if (!window_.askYesNo(question, texts::CAPTION_ERROR, BoxIcon::Error))
                        break;
                }
                window_.progressStep();
            }
        }
        if (offset != 0 && offset % kCursorEvery == 0) {
            buffer_.moveCursorDownPage();
            buffer_.moveCursorDownPage();
        }
        buffer_.repaint();
        if (!selectionOnly)
            buffer_.selectOnly(offset + 1);
        if (link_.connectionState() < 1) {
            fail(toStdString(texts::CONNECTION_LOST));
            break;
        }
    }
    finish(offset);
}

void EepromWriter::finish(std::uint32_t offset)
{
    if (failedWrites_ != 0)
        failedWrites_ += count_ - offset; // a stop counts the rest of the range as not written
    window_.setStatus(STATUS_RESULT, writeResultLine(offset));
    window_.progressFinish();
    link_.flushLine();
    if (failedWrites_ == 0)
        return;
    window_.setStatus(STATUS_FAILURES, toStdString(texts::WRITE_FAILED_COUNT) + std::to_string(failedWrites_));
    fail(toStdString(texts::WRITE_FAILED_1) + std::to_string(failedWrites_) + toStdString(texts::WRITE_FAILED_2));
}

} // namespace

void writeEeprom(TargetSession& session)
{
    EepromWriter(session).run();
}
