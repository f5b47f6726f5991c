// The Telnet layer of the RFC 2217 port: what the server's bytes decode to
// (whole or split at any byte), the streams that break the rules, the framing
// of what we send, and the server's line-state bits.
#include <gtest/gtest.h>

#include "serial/ComPortOption.h"
#include "serial/SerialPort.h"
#include "serial/TelnetCodec.h"

namespace {

using namespace telnet;
using Bytes = std::vector<std::uint8_t>;

struct Decoded {
    Bytes data;
    std::vector<TelnetEvent> events;
    bool intact = true;
    bool operator==(const Decoded&) const = default;
};

Decoded decodeInPieces(const Bytes& stream, std::size_t pieceSize)
{
    TelnetDecoder decoder;
    std::deque<std::uint8_t> data;
    Decoded decoded;
    for (std::size_t at = 0; at < stream.size(); at += pieceSize) {
        const std::size_t length = std::min(pieceSize, stream.size() - at);
        decoded.intact = decoder.decode({stream.data() + at, length}, data, decoded.events);
    }
    decoded.data.assign(data.begin(), data.end());
    return decoded;
}

struct DecodeCase {
    const char* what;
    Bytes stream;
    Decoded expected;
};

TEST(TelnetDecoder, SplitsDataFromNegotiationWhereverTheStreamIsCut)
{
    const DecodeCase cases[] = {
        {"data, CR and NUL untouched in binary mode", {'p', 0x00, 0x0D, 0x0A, 0x0D, 0x00}, {{'p', 0, 13, 10, 13, 0}, {}, true}},
        {"a doubled 0xFF is one data byte", {0xFF, 0xFF, 0xFF, 0xFF, 0x01}, {{0xFF, 0xFF, 0x01}, {}, true}},
        {"negotiation between data", {'a', IAC, DO, 44, 'b', IAC, WONT, 1}, {{'a', 'b'}, {TelnetNegotiation{DO, 44}, TelnetNegotiation{WONT, 1}}, true}},
        {"subnegotiation with a doubled 0xFF in it",
         {IAC, SB, 44, 106, 0xFF, 0xFF, IAC, SE, 0x42},
         {{0x42}, {TelnetSubnegotiation{44, {106, 0xFF}}}, true}},
        {"empty subnegotiation", {IAC, SB, 44, IAC, SE}, {{}, {TelnetSubnegotiation{44, {}}}, true}},
        {"NOP, data mark and go-ahead carry nothing", {IAC, NOP, 'x', IAC, 242, IAC, 249, 'y'}, {{'x', 'y'}, {}, true}},
        {"a single IAC before a data byte", {'a', IAC, 0x10, 'b'}, {{'a'}, {}, false}},
        {"SE outside a subnegotiation", {'a', IAC, SE, 'b'}, {{'a'}, {}, false}},
        {"a subnegotiation ended by something other than SE", {IAC, SB, 44, 6, IAC, 'x', 'b'}, {{}, {}, false}},
    };
    for (const DecodeCase& c : cases)
        for (const std::size_t piece : {c.stream.size(), std::size_t(1), std::size_t(2)}) {
            SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(piece));
            EXPECT_EQ(decodeInPieces(c.stream, piece), c.expected);
        }
}

TEST(TelnetDecoder, SubnegotiationThatNeverEndsBreaksTheStreamAndNothingMoreIsDelivered)
{
    Bytes longest{IAC, SB, 44};
    longest.insert(longest.end(), TelnetDecoder::MAX_SUBNEGOTIATION, 0x20);
    Bytes ended = longest;
    ended.insert(ended.end(), {IAC, SE});
    EXPECT_TRUE(decodeInPieces(ended, 1).intact) << "the longest payload allowed";

    TelnetDecoder decoder;
    std::deque<std::uint8_t> data;
    std::vector<TelnetEvent> events;
    Bytes endless = longest;
    endless.insert(endless.end(), {0x20, IAC, SE, 'a'});
    EXPECT_FALSE(decoder.decode(endless, data, events));
    EXPECT_TRUE(decoder.broken());
    const Bytes more{'b', IAC, IAC};
    EXPECT_FALSE(decoder.decode(more, data, events));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(events.empty());
}

TEST(TelnetFraming, EveryDataAndPayload0xFFIsDoubled)
{
    Bytes out;
    appendTelnetData(out, Bytes{0xFF, 0x00, 0xFF, 0xFE});
    EXPECT_EQ(out, (Bytes{0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFE}));

    out.clear();
    appendTelnetNegotiation(out, WILL, OPTION_COM_PORT);
    appendComPortCommand(out, {comport::SET_LINESTATE_MASK, {0xFF}});
    EXPECT_EQ(out, (Bytes{IAC, WILL, 44, IAC, SB, 44, 10, 0xFF, 0xFF, IAC, SE}));
}

TEST(ComPortOption, ServerAnswersAreTheCommandCodePlus100)
{
    EXPECT_EQ(serverComPortCommand(Bytes{101, 0, 0, 0x96, 0}), (ComPortCommand{comport::SET_BAUDRATE, {0, 0, 0x96, 0}}));
    EXPECT_EQ(serverComPortCommand(Bytes{105, 11}), rtsCommand(true));
    EXPECT_FALSE(serverComPortCommand(Bytes{5, 11})) << "the client's own code is no answer";
    EXPECT_FALSE(serverComPortCommand(Bytes{}));
}

TEST(ComPortOption, LineStateBitsBecomeTheLocalPortsErrorFlags)
{
    const std::pair<std::uint8_t, std::uint32_t> table[] = {
        {0x08, LineError::FRAME},
        {0x04, LineError::RXPARITY},
        {0x02, LineError::OVERRUN},
        {0x10, LineError::BREAK},
        {0x0C, LineError::FRAME | LineError::RXPARITY},
        {0x01, 0}, // data ready
        {0x60, 0}, // transmit registers empty
        {0x80, 0}, // time-out: the server's, not the line's
    };
    for (const auto& [lineState, flags] : table)
        EXPECT_EQ(lineErrorsOfLineState(lineState), flags) << int(lineState);
}

} // namespace
