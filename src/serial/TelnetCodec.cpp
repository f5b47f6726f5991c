// The Telnet decoder's state machine and the framing of what we send.
#include "serial/TelnetCodec.h"

using namespace telnet;

bool TelnetDecoder::decode(std::span<const std::uint8_t> bytes, std::deque<std::uint8_t>& data,
                           std::vector<TelnetEvent>& events)
{
    for (const std::uint8_t byte : bytes) {
        switch (state_) {
        case State::Data:
            if (byte == IAC)
                state_ = State::Command;
            else
                data.push_back(byte);
            break;
        case State::Command:
            if (byte == IAC) {
                data.push_back(IAC);
                state_ = State::Data;
            } else if (byte >= WILL && byte <= DONT) {
                verb_ = byte;
                state_ = State::Option;
            } else if (byte == SB) {
                state_ = State::SubOption;
            } else if (byte >= NOP && byte < SB) {
                state_ = State::Data;
            } else {
                state_ = State::Broken; // SE outside a subnegotiation, or a data byte after a single IAC
            }
            break;
        case State::Option:
            events.emplace_back(TelnetNegotiation{verb_, byte});
            state_ = State::Data;
            break;
        case State::SubOption:
            sub_ = {byte, {}};
            state_ = State::SubData;
            break;
        case State::SubData:
            if (byte == IAC)
                state_ = State::SubCommand;
            else if (sub_.payload.size() < MAX_SUBNEGOTIATION)
                sub_.payload.push_back(byte);
            else
                state_ = State::Broken;
            break;
        case State::SubCommand:
            if (byte == IAC && sub_.payload.size() < MAX_SUBNEGOTIATION) {
                sub_.payload.push_back(IAC);
                state_ = State::SubData;
            } else if (byte == SE) {
                events.emplace_back(std::move(sub_));
                state_ = State::Data;
            } else {
                state_ = State::Broken;
            }
            break;
        case State::Broken:
            return false;
        }
    }
    return state_ != State::Broken;
}

void appendTelnetData(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> data)
{
    for (const std::uint8_t byte : data) {
        out.push_back(byte);
        if (byte == IAC)
            out.push_back(IAC);
    }
}

void appendTelnetNegotiation(std::vector<std::uint8_t>& out, std::uint8_t verb, std::uint8_t option)
{
    out.insert(out.end(), {IAC, verb, option});
}

void appendTelnetSubnegotiation(std::vector<std::uint8_t>& out, std::uint8_t option,
                                std::span<const std::uint8_t> payload)
{
    out.insert(out.end(), {IAC, SB, option});
    appendTelnetData(out, payload);
    out.insert(out.end(), {IAC, SE});
}
