// RFC 2217, the Telnet COM-PORT-OPTION: the commands that set a remote serial
// line the way the interface needs it (38400 8N1, no handshake, DTR off), the
// RTS changes of the reset, the purge of a flush, and the server's line-state
// reports turned into the error flags the local port gives.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace comport {
// Commands from the client; the server answers each with the code plus 100.
inline constexpr std::uint8_t SET_BAUDRATE = 1;
inline constexpr std::uint8_t SET_DATASIZE = 2;
inline constexpr std::uint8_t SET_PARITY = 3;
inline constexpr std::uint8_t SET_STOPSIZE = 4;
inline constexpr std::uint8_t SET_CONTROL = 5;
inline constexpr std::uint8_t NOTIFY_LINESTATE = 6;
inline constexpr std::uint8_t SET_LINESTATE_MASK = 10;
inline constexpr std::uint8_t SET_MODEMSTATE_MASK = 11;
inline constexpr std::uint8_t PURGE_DATA = 12;
inline constexpr std::uint8_t SERVER_OFFSET = 100;

// Values.
inline constexpr std::uint32_t BAUD = 38400;
inline constexpr std::uint8_t DATASIZE_8 = 8;
inline constexpr std::uint8_t PARITY_NONE = 1;
inline constexpr std::uint8_t STOPSIZE_1 = 1;
inline constexpr std::uint8_t CONTROL_OUTBOUND_NO_FLOW = 1;
inline constexpr std::uint8_t CONTROL_DTR_OFF = 9;
inline constexpr std::uint8_t CONTROL_RTS_ON = 11;
inline constexpr std::uint8_t CONTROL_RTS_OFF = 12;
inline constexpr std::uint8_t CONTROL_INBOUND_NO_FLOW = 14;
inline constexpr std::uint8_t PURGE_BOTH = 3;

// Line-state bits of NOTIFY-LINESTATE.
inline constexpr std::uint8_t LINESTATE_OVERRUN = 0x02;
inline constexpr std::uint8_t LINESTATE_PARITY = 0x04;
inline constexpr std::uint8_t LINESTATE_FRAMING = 0x08;
inline constexpr std::uint8_t LINESTATE_BREAK = 0x10;
} // namespace comport

// One command: its code and the value bytes that follow it.
struct ComPortCommand {
    std::uint8_t code;
    std::vector<std::uint8_t> value;
    bool operator==(const ComPortCommand&) const = default;
};

// The line settings, in the order they are sent.
std::vector<ComPortCommand> lineSettingCommands();
// Whether a line setting's answer is worth waiting for: not DTR's, which a
// line without modem control may leave unanswered, nor the masks', which
// ser2net answers with a notification instead.
bool awaitsAnswer(const ComPortCommand& setting);
ComPortCommand rtsCommand(bool asserted);
ComPortCommand purgeCommand();

// Appends the command as a COM-PORT-OPTION subnegotiation.
void appendComPortCommand(std::vector<std::uint8_t>& out, const ComPortCommand& command);

// The server's subnegotiation payload as a command of ours: its code less 100
// and its value; none for a payload that is no answer or notification.
std::optional<ComPortCommand> serverComPortCommand(std::span<const std::uint8_t> payload);

// The LineError flags of a NOTIFY-LINESTATE value.
std::uint32_t lineErrorsOfLineState(std::uint8_t lineState);
