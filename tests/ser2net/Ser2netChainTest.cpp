// The program's procedures through the real ser2net: a simulated board behind
// a pseudo-terminal, ser2net serving it with RFC 2217 on loopback, and the
// serial link on the real clock naming it rfc2217://... as a user would. A
// read of 2 KB and a write of 256 bytes (erased 0xFF cells among them) must
// end as they end on a local board: the same buffer (and, for the read, the
// same frames on the board's wire), EEPROM, boxes and status lines. Then what only the network
// brings: a framing error the server cannot report, a second program finding
// the port in use, and the server going away in the middle of a read.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <thread>

#include "PtyBoard.h"
#include "Ser2netServer.h"
#include "TargetFakes.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"
#include "serial/RealClock.h"
#include "serial/SystemPortOpener.h"

namespace {

std::shared_ptr<SimulatedBoard> boardOf(const std::string& model)
{
    std::string reason;
    auto board = SimulatedBoard::create(model, 16, reason);
    EXPECT_TRUE(board) << reason;
    return board;
}

// The frames and RTS changes the board received from an entry of its trace on, without times.
std::vector<std::string> framesSince(const SimTrace& trace, std::size_t firstEntry)
{
    std::vector<std::string> frames;
    for (std::size_t i = firstEntry; i < trace.entries().size(); ++i)
        if (trace.entries()[i].kind != SimTraceEntry::Kind::Note)
            frames.push_back(SimTrace::describe(trace.entries()[i]));
    return frames;
}

// The board behind ser2net, and COM1 set to the server's address.
struct Ser2netPorts {
    Ser2netPorts(const std::string& model, bool ipv6)
        : board(boardOf(model)), pty(board), server({pty.ttyPath(), pty.rtsSocketPath()}), url(server.url(ipv6))
    {
    }

    std::shared_ptr<SimulatedBoard> board;
    PtyBoard pty;
    Ser2netServer server;
    std::string url;
    SystemPortOpener ports{nullptr,
                           [this](const std::string& name) {
                               return name == "ROVIDADA_COM1" ? std::optional(url) : std::nullopt;
                           },
                           [] { return std::vector<std::string>{}; }};
    RealClock clock;
};

// The program's side of it: the serial link on the real clock with COM1
// chosen, and a session over the window's fakes.
struct ChainRig : Ser2netPorts, FakeSession {
    explicit ChainRig(const std::string& model, bool ipv6 = false)
        : Ser2netPorts(model, ipv6), FakeSession(clock, ports, model), choice(link.openPort("COM1"))
    {
    }

    template <typename Value> void fillEeprom(std::uint32_t count, Value value)
    {
        pty.withBoard([&](SimulatedBoard& b) {
            for (std::uint32_t k = 0; k < count; ++k)
                b.eeprom()[k] = std::uint8_t(value(k));
        });
    }
    std::vector<std::uint8_t> eeprom(std::uint32_t count)
    {
        std::vector<std::uint8_t> bytes;
        pty.withBoard([&](SimulatedBoard& b) { bytes.assign(b.eeprom().begin(), b.eeprom().begin() + count); });
        return bytes;
    }
    std::size_t traceLength()
    {
        std::size_t n = 0;
        pty.withBoard([&](SimulatedBoard& b) { n = b.trace().entries().size(); });
        return n;
    }
    std::vector<std::string> framesSince(std::size_t firstEntry)
    {
        std::vector<std::string> frames;
        pty.withBoard([&](SimulatedBoard& b) { frames = ::framesSince(b.trace(), firstEntry); });
        return frames;
    }

    PortChoice choice;
};

class Ser2netChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Ser2netServer::program().empty())
            GTEST_SKIP() << "ser2net is not installed (scripts/setup installs it)";
    }
};

// Every fifth byte erased, so that 0xFF goes both ways over Telnet again and again.
std::uint8_t withErasedCells(std::uint32_t k) { return k % 5 == 0 ? 0xFF : std::uint8_t(k * 37 + 11); }

TEST_F(Ser2netChain, ReadOfTwoKilobytesOverIpv4EndsAsOnALocalPort)
{
    TargetRig local("HC912Dx128x");
    local.fillEeprom(2048, withErasedCells);
    local.connectWith("Auto");
    const std::size_t localMark = local.board->trace().entries().size();
    readEeprom(local.session);

    ChainRig chain("HC912Dx128x");
    ASSERT_TRUE(chain.choice.usable) << chain.choice.failureText() << chain.server.log();
    chain.fillEeprom(2048, withErasedCells);
    chain.connectWith("Auto");
    ASSERT_EQ(chain.link.connectionState(), 1) << ::testing::PrintToString(chain.window.boxTexts());
    const std::size_t chainMark = chain.traceLength();
    readEeprom(chain.session);

    EXPECT_EQ(chain.buffer.cells, local.buffer.cells);
    EXPECT_EQ(chain.buffer.red, local.buffer.red);
    EXPECT_EQ(chain.window.statusFields, local.window.statusFields);
    EXPECT_EQ(chain.window.boxTexts(), local.window.boxTexts());
    EXPECT_EQ(chain.framesSince(chainMark), framesSince(local.board->trace(), localMark));
}

TEST_F(Ser2netChain, WriteOf256BytesWithErasedCellsOverIpv6EndsAsOnALocalPort)
{
    const auto image = [](std::uint32_t k) { return k % 16 >= 14 ? 0xFF : withErasedCells(k); };
    const auto previous = [](std::uint32_t k) { return std::uint8_t(k ^ 0xA5); };

    TargetRig local("MC9S12DT128");
    local.fillEeprom(256, previous);
    local.connectWith("Auto");
    local.fillBuffer(256, image);
    writeEeprom(local.session);

    ChainRig chain("MC9S12DT128", true);
    ASSERT_TRUE(chain.choice.usable) << chain.choice.failureText() << chain.server.log();
    EXPECT_EQ(chain.choice.device, chain.url);
    chain.fillEeprom(256, previous);
    chain.connectWith("Auto");
    ASSERT_EQ(chain.link.connectionState(), 1) << ::testing::PrintToString(chain.window.boxTexts());
    chain.buffer.fill(256, image);
    writeEeprom(chain.session);

    std::vector<std::uint8_t> expected(256);
    for (std::uint32_t k = 0; k < 256; ++k)
        expected[k] = std::uint8_t(image(k));
    EXPECT_EQ(chain.eeprom(256), expected);
    EXPECT_EQ(chain.window.statusFields, local.window.statusFields);
    EXPECT_EQ(chain.window.boxTexts(), local.window.boxTexts());
    // Not the frames: how often the write asks whether the EEPROM is ready
    // depends on real time.
}

TEST_F(Ser2netChain, FramingErrorAtTheBoardNeverBecomesAByteOfTheBuffer)
{
    ChainRig chain("HC912Dx128x");
    ASSERT_TRUE(chain.choice.usable) << chain.choice.failureText();
    chain.fillEeprom(512, withErasedCells);
    chain.connectWith("16MHz");
    ASSERT_EQ(chain.link.connectionState(), 1);
    // The first reading of word 100, its first byte (after the wake-up 'C'),
    // arrives with a framing error and garbled, as a UART receives it.
    chain.pty.withBoard([](SimulatedBoard& b) {
        const std::size_t garbled = answerBytesSent(b) + 1 + 4 * 100;
        b.faults().lineErrors.push_back({garbled, LineError::FRAME});
        b.faults().changedAnswerBytes[garbled] = std::uint8_t(withErasedCells(200) ^ 0x5A);
    });
    chain.buffer.count = 512;
    const std::size_t mark = chain.traceLength();
    readEeprom(chain.session);

    const auto eeprom = chain.eeprom(512);
    for (std::uint32_t k = 0; k < 512; ++k) {
        if (chain.buffer.cells[k]) {
            EXPECT_EQ(*chain.buffer.cells[k], eeprom[k]) << "offset " << k;
        }
    }
    char word100[16];
    std::snprintf(word100, sizeof word100, "L %02X %02X", (chain.buffer.start + 200) >> 8, (chain.buffer.start + 200) & 0xFF);
    const auto frames = chain.framesSince(mark);
    if (chain.link.connectionState() < 1) {
        // A server that reports the error: the read ends in its box.
        EXPECT_EQ(chain.window.boxTexts().front(), toStdString(texts::LINE_FRAMING_ERROR));
    } else {
        // ser2net 4.3.11 reads its device without error marks, so only the
        // garbled byte comes through; the second reading differs and the word
        // is read again.
        EXPECT_EQ(std::count(frames.begin(), frames.end(), word100), 4);
        EXPECT_TRUE(chain.window.boxTexts().empty());
    }
}

TEST_F(Ser2netChain, SecondProgramFindsThePortInUse)
{
    ChainRig chain("MC9S12DT128");
    ASSERT_TRUE(chain.choice.usable) << chain.choice.failureText();
    SystemPortOpener secondProgram(nullptr, [&](const std::string&) { return std::optional(chain.url); },
                                   [] { return std::vector<std::string>{}; });
    const PortOpenResult second = secondProgram.open("COM1");
    EXPECT_FALSE(second.port);
    // ser2net's "Port already in use" comes after its negotiation; whether it
    // is still there when the reset of its close arrives is a matter of time.
    EXPECT_TRUE(portOpenFailureText(second.device, second.reason, second.permissionDenied)
                    .starts_with(toStdString(texts::PORT_OPEN_FAILED) + "\n" + chain.url + ": " +
                                 toStdString(texts::NET_SERVER_CLOSED)))
        << second.reason;
}

TEST_F(Ser2netChain, ServerGoneMidReadIsTheLostConnection)
{
    ChainRig chain("HC912Dx128x");
    ASSERT_TRUE(chain.choice.usable) << chain.choice.failureText();
    chain.connectWith("16MHz");
    ASSERT_EQ(chain.link.connectionState(), 1);
    // A read of 2 KB takes about three seconds; the server dies early in it.
    std::thread dies([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        chain.server.kill();
    });
    readEeprom(chain.session);
    dies.join();

    EXPECT_EQ(chain.link.connectionState(), -1);
    EXPECT_EQ(chain.window.boxTexts(),
              (std::vector<std::string>{toStdString(texts::LINE_IO_ERROR), toStdString(texts::CONNECTION_LOST)}));
    EXPECT_EQ(chain.window.statusFields[STATUS_CONNECTION], toStdString(texts::STATE_NOT_CONNECTED));
}

} // namespace
