// The COM-PORT-OPTION commands we send and the server's answers we read.
#include "serial/ComPortOption.h"

#include "serial/SerialPort.h"
#include "serial/TelnetCodec.h"

using namespace comport;

std::vector<ComPortCommand> lineSettingCommands()
{
    return {
        {SET_BAUDRATE, {0, 0, BAUD >> 8, BAUD & 0xFF}}, // four bytes, most significant first
        {SET_DATASIZE, {DATASIZE_8}},
        {SET_PARITY, {PARITY_NONE}},
        {SET_STOPSIZE, {STOPSIZE_1}},
        {SET_CONTROL, {CONTROL_OUTBOUND_NO_FLOW}},
        {SET_CONTROL, {CONTROL_INBOUND_NO_FLOW}},
        {SET_CONTROL, {CONTROL_DTR_OFF}},
        {SET_LINESTATE_MASK, {LINESTATE_OVERRUN | LINESTATE_PARITY | LINESTATE_FRAMING | LINESTATE_BREAK}},
        {SET_MODEMSTATE_MASK, {0}}, // the modem lines' changes tell the program nothing
    };
}

bool awaitsAnswer(const ComPortCommand& setting)
{
    if (setting.code == SET_CONTROL)
        return setting.value != std::vector<std::uint8_t>{CONTROL_DTR_OFF};
    return setting.code != SET_LINESTATE_MASK && setting.code != SET_MODEMSTATE_MASK;
}

ComPortCommand rtsCommand(bool asserted) { return {SET_CONTROL, {asserted ? CONTROL_RTS_ON : CONTROL_RTS_OFF}}; }

ComPortCommand purgeCommand() { return {PURGE_DATA, {PURGE_BOTH}}; }

void appendComPortCommand(std::vector<std::uint8_t>& out, const ComPortCommand& command)
{
    std::vector<std::uint8_t> payload{command.code};
    payload.insert(payload.end(), command.value.begin(), command.value.end());
    appendTelnetSubnegotiation(out, telnet::OPTION_COM_PORT, payload);
}

std::optional<ComPortCommand> serverComPortCommand(std::span<const std::uint8_t> payload)
{
    if (payload.empty() || payload[0] < SERVER_OFFSET)
        return std::nullopt;
    return ComPortCommand{static_cast<std::uint8_t>(payload[0] - SERVER_OFFSET), {payload.begin() + 1, payload.end()}};
}

std::uint32_t lineErrorsOfLineState(std::uint8_t lineState)
{
    std::uint32_t errors = 0;
    if (lineState & LINESTATE_OVERRUN)
        errors |= LineError::OVERRUN;
    if (lineState & LINESTATE_PARITY)
        errors |= LineError::RXPARITY;
    if (lineState & LINESTATE_FRAMING)
        errors |= LineError::FRAME;
    if (lineState & LINESTATE_BREAK)
        errors |= LineError::BREAK;
    return errors;
}
