// The write's shared loop: the range and the selection, each word's bytes, its
// verification and up to four re-programmings, the failed cells and the
// questions, and the result. The family's register procedure (chosen by the
// last connect) opens, erases and programs the EEPROM.
#include "procedures/WriteEeprom.h"

#include <algorithm>
#include <array>
#include <vector>

#include "texts/ResultLines.h"
#include "procedures/ModelTable.h"
#include "procedures/TargetRegisters.h"
#include "procedures/WriteEepromFamily.h"

void WriteSteps::writeByte(std::uint16_t address, std::uint8_t value, std::uint32_t pauseMs)
{
    session_.link.sendFrame(writeByteFrame(address, value).bytes());
    pause(pauseMs);
}

void WriteSteps::writeWord(std::uint16_t address, std::uint8_t atAddress, std::uint8_t atNextAddress,
                           std::uint32_t pauseMs)
{
    session_.link.sendFrame(writeWordFrame(address, atAddress, atNextAddress).bytes());
    pause(pauseMs);
}

std::uint8_t WriteSteps::readByte(std::uint16_t address) { return readTargetByte(session_.link, address); }

void WriteSteps::fail(const std::string& text) { session_.window.showBox(text, texts::CAPTION_ERROR, BoxIcon::Error); }

bool WriteSteps::stoppedByLostConnection()
{
    if (connected())
        return false;
    fail(toStdString(texts::CONNECTION_LOST));
    return true;
}

namespace {

constexpr int MAX_REPROGRAMMINGS = 4; // a word is programmed five times at most
constexpr std::uint32_t CURSOR_EVERY = 512; // bytes between moves of the cursor that keep the word in view
// Between the set-up (and the MC9S12 erase) and the first word.
constexpr std::uint32_t SET_UP_SETTLE_MS = 20;

class EepromWriter {
public:
    explicit EepromWriter(TargetSession& session)
        : s_(session), link_(session.link), buffer_(session.buffer), window_(session.window), steps_(session)
    {
    }

    void run();

private:
    bool prepare(EepromFamily& family);
    std::vector<bool> takeSelection(bool selectionOnly);
    std::uint8_t byteToWrite(std::uint32_t offset, std::uint16_t address);
    void programAndVerify(EepromFamily& family, std::uint32_t offset, std::uint16_t address, std::uint8_t b0,
                          std::uint8_t b1);
    bool userStops();
    void finish(std::uint32_t offset);

    TargetSession& s_;
    SerialLink& link_;
    TargetBuffer& buffer_;
    TargetWindow& window_;
    WriteSteps steps_;
    std::uint32_t count_ = 0;
    std::uint16_t start_ = 0;
    std::uint32_t failedWrites_ = 0;
};

// Everything before the first word; false when the write stops (its box shown).
bool EepromWriter::prepare(EepromFamily& family)
{
    link_.flushLine();
    link_.sendFrame(setDividerFrame(link_.clockDivider()).bytes());
    readTargetByte(link_, reg::INITEE);

    if (!family.setUp())
        return false;
    // Follows the model shown, not the family of the last connect.
    if (hasEepromDivider(s_.currentModel))
        setHc912dEepromDivider(steps_);
    if (!family.eraseBeforeWords(start_))
        return false;

    steps_.pause(SET_UP_SETTLE_MS);
    link_.flushLine();
    return true;
}

// With "Zaznaczenie" ticked, which hexadecimal cells were selected when the
// loop began (none otherwise). Taken once: a failed cell becomes the grid's
// whole selection, and the selected words after it must still be written.
std::vector<bool> EepromWriter::takeSelection(bool selectionOnly)
{
    std::vector<bool> selected;
    if (!selectionOnly)
        return selected;
    selected.resize(count_);
    for (std::uint32_t k = 0; k < count_; ++k)
        selected[k] = buffer_.isSelected(k);
    return selected;
}

// A cell never read or loaded is taken from the target, so that it keeps its
// old value (on the HC12; the MC9S12 has been mass-erased by then).
std::uint8_t EepromWriter::byteToWrite(std::uint32_t offset, std::uint16_t address)
{
    return buffer_.isEmpty(offset) ? readTargetByte(link_, address) : buffer_.getByte(offset);
}

// Programs the word and reads it back until both bytes verify, five times at
// most; a byte that still differs after the fifth is a failed cell.
void EepromWriter::programAndVerify(EepromFamily& family, std::uint32_t offset, std::uint16_t address,
                                    std::uint8_t b0, std::uint8_t b1)
{
    for (int reprogrammings = 0;; ++reprogrammings) {
        family.programWord(address, b0, b1);
        link_.sendRequest(readWordFrame(address).bytes());
        const std::uint8_t r0 = link_.receiveByte();
        const std::uint8_t r1 = link_.receiveByte();
        const std::array<bool, 2> differs{r0 != b0, r1 != b1};
        if (!differs[0] && !differs[1])
            return;
        if (reprogrammings < MAX_REPROGRAMMINGS) {
            window_.noteRetry();
            continue;
        }
        for (std::uint32_t i = 0; i < 2; ++i) {
            if (!differs[i])
                continue;
            // The failed cell becomes the whole selection, so the grid shows the
            // latest one; the words to write were taken before the loop.
            buffer_.markRed(offset + i);
            buffer_.selectOnly(offset + i);
            ++failedWrites_;
        }
        return;
    }
}

// Asked after every programmed word while the failures stand at a tenth or a
// twentieth of the range; true when the user answers No.
bool EepromWriter::userStops()
{
    if (failedWrites_ == 0 || (failedWrites_ != count_ / 10 && failedWrites_ != count_ / 20))
        return false;
    const std::string question = toStdString(texts::WRITE_FAILED_1) + std::to_string(failedWrites_) +
                                 toStdString(texts::WRITE_FAILED_2) + "\n" + toStdString(texts::WRITE_CONTINUE);
    return !window_.askYesNo(question, texts::CAPTION_ERROR, BoxIcon::Error);
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

    const std::unique_ptr<EepromFamily> family = s_.mc9s12Mode ? mc9s12Eeprom(steps_) : hc12Eeprom(steps_);
    if (!prepare(*family))
        return;

    const bool selectionOnly = window_.selectionChecked();
    const std::vector<bool> selected = takeSelection(selectionOnly);
    window_.progressStart(selectionOnly ? std::uint32_t(std::count(selected.begin(), selected.end(), true)) : count_);
    failedWrites_ = 0;

    std::uint32_t offset = 0;
    for (; offset < count_ && !window_.stopRequested(); offset += 2) {
        const auto address = static_cast<std::uint16_t>(start_ + offset);
        // Either byte selected: the whole word is written.
        const bool skipped = selectionOnly && !selected[offset] && !selected[offset + 1];
        if (!skipped) {
            const std::uint8_t b0 = byteToWrite(offset, address);
            const std::uint8_t b1 = byteToWrite(offset + 1, static_cast<std::uint16_t>(address + 1));
            family->eraseWord(address);
            link_.flushLine();
            // A word of two FF stays erased: not programmed, not verified, no progress step.
            if (b0 != value::ERASED || b1 != value::ERASED) {
                programAndVerify(*family, offset, address, b0, b1);
                if (userStops())
                    break;
                window_.progressStep();
            }
        }
        if (offset != 0 && offset % CURSOR_EVERY == 0) {
            buffer_.moveCursorDownPage();
            buffer_.moveCursorDownPage();
        }
        buffer_.repaint();
        // Shows where the write is; only when the selection is not what it writes.
        if (!selectionOnly)
            buffer_.selectOnly(offset + 1);
        if (!steps_.connected()) {
            steps_.fail(toStdString(texts::CONNECTION_LOST));
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
    steps_.fail(toStdString(texts::WRITE_FAILED_1) + std::to_string(failedWrites_) +
                toStdString(texts::WRITE_FAILED_2));
}

} // namespace

void writeEeprom(TargetSession& session)
{
    EepromWriter(session).run();
}
