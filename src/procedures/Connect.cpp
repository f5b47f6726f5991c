#include "procedures/Connect.h"

#include <array>
#include <cstdio>

#include "procedures/CrystalTable.h"
#include "procedures/ModelTable.h"
#include "procedures/TargetRegisters.h"

namespace {

// Detection tries each crystal in turn; the probe reads 0x00 once the
// divider suits the board's crystal. A time-out also reads 0 and ends the
// detection: the connect then reports the lost processor.
void detectCrystal(TargetSession& session)
{
    SerialLink& link = session.link;
    for (std::size_t i = 0; i < CRYSTAL_TABLE.size(); ++i) {
        resetInterface(session); // its result is not looked at: the probe decides
        session.window.selectCrystalItem(int(i) + 1); // after "Auto"
        session.clock().pause(WRITE_FRAME_PAUSE_MS);
        selectCrystal(session);
        link.flushLine();
        readTargetByte(link, reg::PROBE); // the first answer after a divider change is not trusted
        session.clock().pause(WRITE_FRAME_PAUSE_MS);
        if (readTargetByte(link, reg::PROBE) == 0x00)
            return;
    }
    session.window.showBox(toStdString(texts::CONNECT_CRYSTAL_UNKNOWN), texts::CAPTION_WARNING, BoxIcon::Warning);
}

// Asks an MC9S12 for its memory sizes and where its EEPROM lies, and shows them.
void queryMc9s12Parameters(TargetSession& session)
{
    SerialLink& link = session.link;
    link.sendFrame(writeByteFrame(reg::INITEE, value::INITEE_AT_2000).bytes());
    session.clock().pause(WRITE_FRAME_PAUSE_MS);

    const std::uint8_t memsiz = readTargetByte(link, reg::MEMSIZ0);
    const unsigned ramKb = (memsiz & value::MEMSIZ0_RAM) * 2u + 2u;
    static constexpr std::array<unsigned, 4> EEPROM_KB{0, 2, 4, 8};
    const unsigned eepromKb = EEPROM_KB[(memsiz >> 4) & 0x03];
    session.window.setCountField(eepromKb * 1024u);

    const std::uint8_t initee = readTargetByte(link, reg::INITEE);
    const auto start = static_cast<std::uint16_t>((initee & value::INITEE_ADDRESS) << 8);
    session.currentModel.eepromStart = start;
    session.window.setStartField(start);

    char startHigh[3];
    std::snprintf(startHigh, sizeof startHigh, "%02X", unsigned(start >> 8));
    const std::string text = toStdString(texts::PARAMS_RAM) + std::to_string(ramKb) + toStdString(texts::PARAMS_KB) +
                             toStdString(texts::PARAMS_EEPROM) + std::to_string(eepromKb) +
                             toStdString(texts::PARAMS_KB) + toStdString(texts::PARAMS_START) + startHigh +
                             toStdString(texts::PARAMS_START_LOW);
    session.window.showBox(text, texts::CAPTION_PARAMETERS, BoxIcon::None);
}

} // namespace

void selectCrystal(TargetSession& session)
{
    const std::string choice = session.window.crystalChoice();
    for (const Crystal& crystal : CRYSTAL_TABLE) {
        if (choice != toStdString(crystal.label))
            continue;
        // Without a port the frame goes nowhere; the next reset sends the divider.
        session.link.setClockDivider(dividerForCrystal(session.link.clockDivider(), crystal.mhz));
        session.link.sendFrame(setDividerFrame(session.link.clockDivider()).bytes());
        session.crystalMHz = crystal.mhz;
        return;
    }
}

bool resetInterface(TargetSession& session)
{
    const std::string kept = session.window.status(STATUS_CONNECTION);
    session.window.setStatus(STATUS_CONNECTION, toStdString(texts::STATE_RESET));
    session.link.markDisconnected();
    if (!greetInterface(session.link)) {
        session.window.setStatus(STATUS_CONNECTION, kept);
        return false;
    }
    session.window.setStatus(STATUS_CONNECTION, toStdString(texts::STATE_CONNECTED));
    return true;
}

void connectTarget(TargetSession& session)
{
    TargetWindow& window = session.window;
    SerialLink& link = session.link;

    if (window.shownPageTitle() == toStdString(texts::MONITOR_PAGE) && !window.openBufferPage()) {
        window.showBox(toStdString(texts::CONNECT_REMOVE_A_TAB), texts::CAPTION_WARNING, BoxIcon::Warning);
        return;
    }
    if (isPlaceholderModel(session.currentModel)) {
        window.showBox(toStdString(texts::CONNECT_CHOOSE_MODEL), texts::CAPTION_WARNING, BoxIcon::Warning);
        return;
    }

    link.setConnectionState(1);
    window.setStatus(STATUS_CONNECTION, toStdString(texts::STATE_CONNECTING));
    if (!link.hasPort())
        window.openFirstPort();
    // An adapter that was pulled out may be back: its port is opened anew, and
    // a failure shows the port's box, as choosing the port would.
    if (link.portFailed()) {
        const PortChoice again = link.reopenFailedPort();
        if (!again.usable)
            window.showBox(again.failureText(), texts::CAPTION_ERROR, BoxIcon::Error);
    }
    // A connect that stops here must not leave "Łączenie..." (or a restored
    // copy of it) in the status bar of a program that is not connected.
    if (!link.portUsable()) {
        link.markDisconnected(); // the port's own box has been shown when it was tried
        return;
    }

    link.flushLine();
    if (!resetInterface(session)) {
        link.markDisconnected();
        window.showBox(toStdString(texts::CONNECT_INTERFACE_FAILED), texts::CAPTION_ERROR, BoxIcon::Error);
        return;
    }

    readTargetByte(link, reg::PROBE); // the answer is not used; a time-out disconnects
    if (window.crystalChoice() == toStdString(texts::CRYSTAL_AUTO))
        detectCrystal(session);

    session.mc9s12Mode = false;
    if (isMc9s12Model(session.currentModel)) {
        queryMc9s12Parameters(session);
        session.mc9s12Mode = true;
    }

    window.progressFinish();
    link.flushLine();

    if (link.connectionState() > 0) {
        window.setStatus(STATUS_CONNECTION, toStdString(texts::STATE_CONNECTED));
        window.enableTargetCommands(session.mc9s12Mode);
    } else {
        link.markDisconnected();
        window.showBox(toStdString(texts::CONNECT_PROCESSOR_FAILED), texts::CAPTION_ERROR, BoxIcon::Error);
    }
}
