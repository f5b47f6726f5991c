#include "procedures/ReadEeprom.h"

#include <array>

#include "texts/ResultLines.h"
#include "procedures/InterfaceCommands.h"

namespace {

constexpr int ATTEMPTS = 3;            // readings of a word before it is taken as it is
constexpr std::uint32_t SCROLL_EVERY = 512; // bytes between scrolls that keep the filled rows in view
// Scroll positions are in the grid's scroll units of 15 pixels, and a row of 16
// bytes is 16 pixels high, so a byte offset is about a pixel: offset / 15 would
// bring the row being filled to the top of the view. Dividing by 14 puts the
// view a fifteenth of the offset further on.
constexpr std::uint32_t SCROLL_DIVISOR = 14;

} // namespace

void readEeprom(TargetSession& session)
{
    SerialLink& link = session.link;
    TargetBuffer& buffer = session.buffer;
    TargetWindow& window = session.window;

    alignRangeToWords(session);
    const std::uint32_t count = buffer.byteCount();
    const std::uint16_t start = buffer.startAddress();

    session.clock().pause(1);
    buffer.createGrid(count);
    if (count == 0)
        return;

    window.progressStart(count);
    link.flushLine();
    link.sendFrame(setDividerFrame(link.clockDivider()).bytes());
    readTargetByte(link, start); // wakes the interface up; the answer is not used

    auto lost = [&] { return link.connectionState() < 1; };
    bool interrupted = false;
    std::uint32_t offset = 0;
    for (; offset < count && !window.stopRequested(); offset += 2) {
        interrupted = true;
        const auto address = static_cast<std::uint16_t>(start + offset);
        std::array<std::uint8_t, 2> first{};
        std::array<std::uint8_t, 2> second{};
        // Each word is read twice and the readings compared; three attempts at
        // most, each two 'L' requests with four 300 ms byte time-outs.
        for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
            if (attempt > 0)
                window.noteRetry();
            first = {0, 0};
            second = {0, 0};
            link.sendRequest(readWordFrame(address).bytes());
            first[0] = link.receiveByte();
            if (lost())
                break;
            first[1] = link.receiveByte();
            if (lost())
                break;
            session.clock().pause(WORD_REREAD_PAUSE_MS);
            link.sendRequest(readWordFrame(address).bytes());
            second[0] = link.receiveByte();
            if (lost())
                break;
            second[1] = link.receiveByte();
            if (lost() || first == second)
                break;
        }
        for (std::uint32_t i = 0; i < 2; ++i) {
            buffer.setByte(offset + i, first[i]);
            if (first[i] != second[i])
                buffer.markRed(offset + i);
        }
        if (lost())
            break;
        interrupted = false;
        if (offset != 0 && offset % SCROLL_EVERY == 0)
            buffer.scrollVertically(offset / SCROLL_DIVISOR);
        buffer.repaint();
        window.progressStep();
        window.progressStep();
    }

    link.flushLine();
    window.progressFinish();
    window.setStatus(STATUS_RESULT, readResultLine(offset));
    if (interrupted)
        window.showBox(toStdString(texts::CONNECTION_LOST), texts::CAPTION_ERROR, BoxIcon::Error);
}
