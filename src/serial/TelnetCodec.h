// The Telnet layer of a network serial port: splitting what a server sends
// into line data, option negotiation and subnegotiations, and framing what we
// send. Both directions run in binary mode, so the only byte with a meaning of
// its own is 0xFF (IAC), doubled when it is data. That matters here: 0xFF is
// the erased EEPROM value, and a lost or single 0xFF would change what is read
// or written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <variant>
#include <vector>

namespace telnet {
// Command bytes that follow IAC.
inline constexpr std::uint8_t IAC = 255;
inline constexpr std::uint8_t DONT = 254;
inline constexpr std::uint8_t DO = 253;
inline constexpr std::uint8_t WONT = 252;
inline constexpr std::uint8_t WILL = 251;
inline constexpr std::uint8_t SB = 250;
inline constexpr std::uint8_t NOP = 241; // NOP up to GA (249) carry nothing for a binary line
inline constexpr std::uint8_t SE = 240;

// Options.
inline constexpr std::uint8_t OPTION_BINARY = 0;
inline constexpr std::uint8_t OPTION_SUPPRESS_GO_AHEAD = 3;
inline constexpr std::uint8_t OPTION_COM_PORT = 44;
} // namespace telnet

// One WILL, WONT, DO or DONT from the server.
struct TelnetNegotiation {
    std::uint8_t verb;
    std::uint8_t option;
    bool operator==(const TelnetNegotiation&) const = default;
};

// IAC SB option payload IAC SE from the server, the payload's doubled 0xFF undone.
struct TelnetSubnegotiation {
    std::uint8_t option;
    std::vector<std::uint8_t> payload;
    bool operator==(const TelnetSubnegotiation&) const = default;
};

using TelnetEvent = std::variant<TelnetNegotiation, TelnetSubnegotiation>;

// Decodes the server's byte stream, in pieces of any size. A stream that
// breaks the rules (an IAC before a byte that is no command, which is what a
// server sends that forgot to double a data 0xFF; SE outside a subnegotiation;
// a subnegotiation that never ends) leaves the decoder broken for good: from
// then on nothing it would deliver could be trusted.
class TelnetDecoder {
public:
    // Longer than anything RFC 2217 sends (its longest answer is a signature text).
    static constexpr std::size_t MAX_SUBNEGOTIATION = 256;

    // Appends the line data to `data` and the negotiation to `events`; false
    // once the stream is broken (what came before the fault is delivered).
    bool decode(std::span<const std::uint8_t> bytes, std::deque<std::uint8_t>& data, std::vector<TelnetEvent>& events);
    bool broken() const { return state_ == State::Broken; }

private:
    enum class State { Data, Command, Option, SubOption, SubData, SubCommand, Broken };

    State state_ = State::Data;
    std::uint8_t verb_ = 0;
    TelnetSubnegotiation sub_;
};

// Appends line data with every 0xFF doubled.
void appendTelnetData(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> data);
// Appends IAC verb option.
void appendTelnetNegotiation(std::vector<std::uint8_t>& out, std::uint8_t verb, std::uint8_t option);
// Appends IAC SB option payload IAC SE, with 0xFF doubled inside the payload.
void appendTelnetSubnegotiation(std::vector<std::uint8_t>& out, std::uint8_t option,
                                std::span<const std::uint8_t> payload);
