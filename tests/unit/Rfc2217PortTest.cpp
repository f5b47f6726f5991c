// The RFC 2217 port against a server of our own: what goes on the wire when
// the line is set up, the data both ways with 0xFF doubled, the reset's RTS
// changes, the purge, the server's line errors, and every way a server can
// fail the program (no negotiation, refusals, broken Telnet, a port in use, a
// connection dropped mid-read or mid-write), each ending in the program's own
// message instead of a hang.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "texts/Texts.h"
#include "FakeComPortServer.h"
#include "ScriptedPort.h"
#include "procedures/InterfaceCommands.h"
#include "serial/PortNames.h"
#include "serial/RealClock.h"
#include "serial/Rfc2217Port.h"
#include "serial/SerialLink.h"
#include "serial/SystemPortOpener.h"

namespace {

using namespace telnet;
using Bytes = std::vector<std::uint8_t>;

// Short waits, so that the failures come quickly; the program's own are seconds.
const Rfc2217Timeouts QUICK{500, 500, 300};

PortOpenResult openQuickly(const FakeComPortServer& server)
{
    return Rfc2217Port::open(server.url(), server.host(), server.port(), QUICK);
}

bool contains(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

// The serial link on the real clock with COM1 on the server, opened quickly.
struct LinkToServer {
    explicit LinkToServer(const FakeComPortServer& server)
    {
        opener.ready["COM1"] = openQuickly(server);
        usable = link.openPort("COM1").usable;
        link.setConnectionState(1);
    }
    RealClock clock;
    ScriptedOpener opener;
    RecordingObserver observer;
    SerialLink link{clock, opener, observer};
    bool usable = false;
};

class Rfc2217Families : public ::testing::TestWithParam<int> {};

TEST_P(Rfc2217Families, SetsTheLineTo38400EightNoneOneWithoutHandshakeAndWithDtrOff)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntilClosed();
    }, GetParam());
    {
        // The way the program opens it: the variable's value, resolved.
        SystemPortOpener opener(nullptr, [&](const std::string&) { return std::optional(server.url()); },
                                [] { return std::vector<std::string>{}; });
        const PortOpenResult opened = opener.open("COM1");
        ASSERT_TRUE(opened.port) << opened.reason;
        EXPECT_EQ(opened.device, server.url());
    }
    const std::vector<ComPortCommand> expected = {
        {1, {0x00, 0x00, 0x96, 0x00}}, // 38400 baud
        {2, {8}},                      // eight data bits
        {3, {1}},                      // no parity
        {4, {1}},                      // one stop bit
        {5, {1}},                      // no flow control, outbound
        {5, {14}},                     // and inbound
        {5, {9}},                      // DTR off
        {10, {0x1E}},                  // report overrun, parity, framing and break
        {11, {0x00}},                  // and no modem line changes
    };
    server.finish();
    EXPECT_EQ(server.commands(), expected);
    EXPECT_TRUE(contains(server.raw(), {IAC, DONT, FakeComPortServer::OPTION_ECHO})) << "a binary line needs no echo";
}

INSTANTIATE_TEST_SUITE_P(Loopback, Rfc2217Families, ::testing::Values(AF_INET, AF_INET6),
                         [](const auto& info) { return info.param == AF_INET6 ? "IPv6" : "IPv4"; });

TEST(Rfc2217Port, DataGoesBothWaysWithEvery0xFFDoubledOnTheWire)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntil([&] { return s.data().size() >= 5; });
        s.send({0xFF, 0xFF, 0x00, 0xFF, 0xFF, 'p'});
        s.serveUntilClosed();
    });
    Bytes received;
    {
        LinkToServer to(server);
        ASSERT_TRUE(to.usable);
        to.link.sendFrame({'s', 0x0D, 0x00, 0xFF, 0xFF});
        for (int i = 0; i < 4; ++i)
            received.push_back(to.link.receiveByte());
        EXPECT_EQ(to.link.connectionState(), 1);
        EXPECT_TRUE(to.observer.events.empty());
    }
    server.finish();
    EXPECT_EQ(received, (Bytes{0xFF, 0x00, 0xFF, 'p'}));
    EXPECT_EQ(server.data(), (Bytes{'s', 0x0D, 0x00, 0xFF, 0xFF}));
    EXPECT_TRUE(contains(server.raw(), {'s', 0x0D, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(Rfc2217Port, EachRtsChangeWaitsForTheServersAnswer)
{
    std::atomic<bool> assertedAnswered = false;
    FakeComPortServer server([&](FakeComPortServer& s) {
        s.answerOf = [&](const ComPortCommand& command) {
            if (command == rtsCommand(true)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                assertedAnswered = true;
            }
            return std::optional(command.value);
        };
        s.negotiate();
        s.serveUntilClosed();
    });
    {
        PortOpenResult opened = openQuickly(server);
        ASSERT_TRUE(opened.port) << opened.reason;
        opened.port->setRts(true);
        EXPECT_TRUE(assertedAnswered) << "the pulse must not start before the server has raised RTS";
        opened.port->setRts(false);
    }
    server.finish();
    const auto commands = server.commands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], (ComPortCommand{5, {11}}));
    EXPECT_EQ(commands.back(), (ComPortCommand{5, {12}}));
}

TEST(Rfc2217Port, ServerThatNeverAnswersRtsDelaysTheResetButNotTheLine)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.answerOf = [](const ComPortCommand& command) {
            if (command == rtsCommand(true) || command == rtsCommand(false))
                return std::optional<Bytes>();
            return std::optional(command.value);
        };
        s.negotiate();
        s.serveUntil([&] { return !s.data().empty(); });
        s.sendData({0x5A});
        s.serveUntilClosed();
    });
    LinkToServer to(server);
    ASSERT_TRUE(to.usable);
    to.link.setRts(true);
    to.link.setRts(false);
    EXPECT_EQ(readTargetByte(to.link, 0x0000), 0x5A);
    EXPECT_EQ(to.link.connectionState(), 1);
}

TEST(Rfc2217Port, PurgeDropsWhatArrivedAndAsksTheServerToDropBothDirections)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntil([&] { return !s.data().empty(); });
        s.sendData({'x', 'y'});
        s.serveUntilClosed();
    });
    {
        PortOpenResult opened = openQuickly(server);
        ASSERT_TRUE(opened.port) << opened.reason;
        ASSERT_TRUE(opened.port->write(Bytes{'R'}.data(), 1));
        ASSERT_TRUE(opened.port->waitReadable(2000));
        opened.port->purge();
        EXPECT_EQ(opened.port->queryStatus().queued, 0u);
    }
    server.finish();
    EXPECT_EQ(server.commands().back(), (ComPortCommand{12, {3}}));
}

TEST(Rfc2217Port, LineErrorsTheServerReportsAreTheLocalPortsBoxes)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntil([&] { return s.data().size() >= 3; });
        s.sendComPort({comport::NOTIFY_LINESTATE + comport::SERVER_OFFSET, {0x08 | 0x04}});
        s.serveUntilClosed();
    });
    LinkToServer to(server);
    ASSERT_TRUE(to.usable);
    EXPECT_EQ(readTargetByte(to.link, 0x0000), 0);
    EXPECT_EQ(to.observer.events, (std::vector<std::string>{"box: " + toStdString(texts::LINE_FRAMING_ERROR),
                                                             "box: " + toStdString(texts::LINE_PARITY_ERROR), "lost"}));
}

TEST(Rfc2217Port, ServerThatFloodsTheLineIsReadOnlyAsFarAsTheLinkTakes)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntil([&] { return !s.data().empty(); });
        s.sendData(Bytes(1 << 20, 0x55)); // returns when the client has gone
    });
    PortOpenResult opened = openQuickly(server);
    ASSERT_TRUE(opened.port) << opened.reason;
    ASSERT_TRUE(opened.port->write(Bytes{'R'}.data(), 1));
    ASSERT_TRUE(opened.port->waitReadable(2000));
    // The link asks again and again while the server keeps sending.
    std::size_t mostQueued = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < end)
        mostQueued = std::max(mostQueued, opened.port->queryStatus().queued);
    EXPECT_LE(mostQueued, 68u * 1024) << "a megabyte sent is no megabyte held";
    std::vector<std::uint8_t> some(1024);
    EXPECT_EQ(opened.port->read(some.data(), some.size()), some.size());
    EXPECT_EQ(some, Bytes(1024, 0x55));
}

TEST(Rfc2217Port, DrainWaitsAtLeastTheBytesTimeOnTheServersLine)
{
    FakeComPortServer server([](FakeComPortServer& s) {
        s.negotiate();
        s.serveUntilClosed();
    });
    PortOpenResult opened = openQuickly(server);
    ASSERT_TRUE(opened.port) << opened.reason;
    const Bytes frame(40, 0x55);
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(opened.port->write(frame.data(), frame.size()));
    opened.port->drain();
    // 40 bytes of 10 bits at 38400 baud.
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::microseconds(10417));
}

// Servers that fail the open, and the reason the port box shows for each.
struct FailedOpen {
    const char* what;
    FakeComPortServer::Script script;
    std::string reason;
};

void PrintTo(const FailedOpen& c, std::ostream* out) { *out << c.what; }

class Rfc2217FailedOpen : public ::testing::TestWithParam<FailedOpen> {};

TEST_P(Rfc2217FailedOpen, EndsInTheReasonWithoutAPort)
{
    FakeComPortServer server(GetParam().script);
    const PortOpenResult opened = openQuickly(server);
    EXPECT_FALSE(opened.port);
    EXPECT_EQ(opened.device, server.url());
    EXPECT_EQ(opened.reason, GetParam().reason);
}

const auto serveUntilClosed = [](FakeComPortServer& s) { s.serveUntilClosed(); };

INSTANTIATE_TEST_SUITE_P(
    Servers, Rfc2217FailedOpen,
    ::testing::Values(
        FailedOpen{"never negotiates", serveUntilClosed, toStdString(texts::NET_NO_NEGOTIATION)},
        FailedOpen{"refuses the COM-PORT-OPTION",
                   [](FakeComPortServer& s) {
                       s.sendGreeting(DONT);
                       s.serveUntilClosed();
                   },
                   toStdString(texts::NET_COM_PORT_REFUSED)},
        FailedOpen{"refuses binary mode",
                   [](FakeComPortServer& s) {
                       s.send({IAC, DO, OPTION_COM_PORT, IAC, DONT, OPTION_BINARY, IAC, WONT, OPTION_BINARY});
                       s.serveUntilClosed();
                   },
                   toStdString(texts::NET_BINARY_REFUSED)},
        FailedOpen{"never answers the line settings",
                   [](FakeComPortServer& s) {
                       s.answerOf = [](const ComPortCommand&) { return std::nullopt; };
                       s.negotiate();
                       s.serveUntilClosed();
                   },
                   toStdString(texts::NET_NO_NEGOTIATION)},
        FailedOpen{"sets another baud rate",
                   [](FakeComPortServer& s) {
                       s.answerOf = [](const ComPortCommand& command) {
                           return std::optional(command.code == comport::SET_BAUDRATE ? Bytes{0, 0, 0x25, 0x80}
                                                                                      : command.value);
                       };
                       s.negotiate();
                       s.serveUntilClosed();
                   },
                   toStdString(texts::NET_SETTINGS_REFUSED)},
        FailedOpen{"sends broken Telnet",
                   [](FakeComPortServer& s) {
                       s.sendGreeting();
                       s.send({IAC, 'A'});
                       s.serveUntilClosed();
                   },
                   toStdString(texts::NET_BAD_TELNET)},
        FailedOpen{"has the port in use (as ser2net says it)",
                   [](FakeComPortServer& s) {
                       s.send({IAC, WILL, OPTION_BINARY, 'P', 'o', 'r', 't', ' ', 'a', 'l', 'r', 'e', 'a', 'd', 'y', ' ',
                               'i', 'n', ' ', 'u', 's', 'e', '\r', '\n'});
                       // Everything the client sent is read before the close, or
                       // its kernel could answer with a reset that drops the text.
                       s.serveUntil([&] { return s.raw().size() >= 15; });
                   },
                   toStdString(texts::NET_SERVER_CLOSED) + ": Port already in use"},
        FailedOpen{"closes at once", [](FakeComPortServer&) {}, toStdString(texts::NET_SERVER_CLOSED)}));

PortOpenResult openLoopback(std::uint16_t port)
{
    return Rfc2217Port::open("rfc2217://127.0.0.1:" + std::to_string(port), "127.0.0.1", port, QUICK);
}

TEST(Rfc2217Port, NoServerOnThePortIsARefusedConnection)
{
    const auto [probe, port] = boundLoopbackSocket();
    closeSocket(probe); // nobody listens there now

    const PortOpenResult opened = openLoopback(port);
    EXPECT_FALSE(opened.port);
    EXPECT_EQ(opened.reason, toStdString(texts::NET_CONNECTION_REFUSED));
    EXPECT_EQ(portOpenFailureText(opened.device, opened.reason, opened.permissionDenied),
              toStdString(texts::PORT_OPEN_FAILED) + "\n" + opened.device + ": " + opened.reason);
}

TEST(Rfc2217Port, ServerThatNeverAcceptsIsAConnectionTimeOut)
{
    // A backlog of none, taken by a first connection: Linux drops the next
    // one's SYN, as a host that does not answer would.
    const auto [listener, port] = boundLoopbackSocket();
    ASSERT_EQ(::listen(listener, 0), 0);
    const auto [first, unused] = boundLoopbackSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    ASSERT_EQ(::connect(first, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const PortOpenResult opened = openLoopback(port);
    EXPECT_FALSE(opened.port);
    EXPECT_EQ(opened.reason, toStdString(texts::NET_CONNECT_TIMEOUT));
    closeSocket(first);
    closeSocket(listener);
}

// Servers that fail in the middle of an operation: what was received before
// is delivered, then the I/O error box and the lost connection.
struct FailedMidway {
    const char* what;
    FakeComPortServer::Script script;
    Bytes delivered;
};

void PrintTo(const FailedMidway& c, std::ostream* out) { *out << c.what; }

class Rfc2217FailedMidway : public ::testing::TestWithParam<FailedMidway> {};

TEST_P(Rfc2217FailedMidway, DeliversWhatCameThenReportsTheLostConnection)
{
    FakeComPortServer server(GetParam().script);
    LinkToServer to(server);
    ASSERT_TRUE(to.usable);
    to.link.sendFrame({'L', 0x08, 0x00});
    Bytes received;
    for (std::size_t i = 0; i < GetParam().delivered.size(); ++i)
        received.push_back(to.link.receiveByte());
    EXPECT_EQ(received, GetParam().delivered);
    EXPECT_TRUE(to.observer.events.empty());
    EXPECT_EQ(to.link.receiveByte(), 0);
    EXPECT_EQ(to.observer.events,
              (std::vector<std::string>{"box: " + toStdString(texts::LINE_IO_ERROR), "lost"}));
    // Whatever the procedures try next ends at once, in the same message.
    to.link.setRts(true);
    to.link.sendFrame({'R'});
    EXPECT_EQ(to.link.receiveByte(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, Rfc2217FailedMidway,
    ::testing::Values(FailedMidway{"closes mid-read",
                                   [](FakeComPortServer& s) {
                                       s.negotiate();
                                       s.serveUntil([&] { return s.data().size() >= 3; });
                                       s.sendData({0xFF});
                                   },
                                   {0xFF}},
                      FailedMidway{"closes mid-write",
                                   [](FakeComPortServer& s) {
                                       s.negotiate();
                                       // the settings again, as choosing the port sends them
                                       s.serveUntil([&] { return s.commands().size() >= 2 * lineSettingCommands().size(); });
                                   },
                                   {}},
                      FailedMidway{"breaks Telnet mid-read",
                                   [](FakeComPortServer& s) {
                                       s.negotiate();
                                       s.serveUntil([&] { return s.data().size() >= 3; });
                                       s.send({0x3C, IAC, 0x3D});
                                       s.serveUntilClosed();
                                   },
                                   {0x3C}}));

} // namespace
