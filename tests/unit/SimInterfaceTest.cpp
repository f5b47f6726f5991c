// The simulated interface: frames, answers and their wire timing, the greeting,
// the clock divider, the trace and the line faults.
#include "SimTestSupport.h"

#include "sim/SimulatedPort.h"
#include "texts/Texts.h"

namespace {

constexpr std::uint64_t BYTE_US = 261;       // one byte, 260.4 us, rounded up
constexpr std::uint64_t THREE_BYTES_US = 782; // 781.25 us

TEST(SimInterface, ReadByteAnswersOneByteAfterTheFrameHasArrived)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    bench.board->memory().plain(0x3000) = 0x5A;
    const auto start = bench.clock.nowUs();
    bench.send({'C', 0x30, 0x00});
    EXPECT_EQ(bench.clock.nowUs(), start + THREE_BYTES_US) << "drain returns when the last byte has left";
    EXPECT_EQ(bench.port->queryStatus().queued, 0u) << "no answer before it has been sent";
    EXPECT_EQ(bench.receive(), 0x5A);
    EXPECT_EQ(bench.clock.nowUs(), start + THREE_BYTES_US + BYTE_US);
    EXPECT_FALSE(bench.port->nextInputUs()) << "exactly one byte";
}

TEST(SimInterface, ReadWordAnswersTheAddressThenTheNextByte)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    bench.board->memory().plain(0x3000) = 0x12;
    bench.board->memory().plain(0x3001) = 0x34;
    const auto start = bench.clock.nowUs();
    bench.send({'L', 0x30, 0x00});
    EXPECT_EQ(bench.receive(), 0x12);
    EXPECT_EQ(bench.receive(), 0x34);
    EXPECT_EQ(bench.clock.nowUs(), start + THREE_BYTES_US + 521); // two bytes: 520.8 us
    EXPECT_FALSE(bench.port->nextInputUs());
}

TEST(SimInterface, WriteFramesAndJunkAreNotAnswered)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    bench.send({'X', 0x00});                // no frame starts with these
    bench.writeByte(0x3000, 0xA5);          // 'z'
    bench.writeWord(0x3002, 0x01, 0x02);    // 's'
    bench.send({'R'});
    bench.send({'U', 0x00});
    EXPECT_FALSE(bench.port->nextInputUs());
    EXPECT_EQ(bench.readByte(0x3000), 0xA5);
    EXPECT_EQ(bench.readByte(0x3003), 0x02);
    EXPECT_EQ(bench.board->trace().notes().front(), "byte 0x58 outside a frame ignored");
}

TEST(SimInterface, GreetsAfterAnRtsPulseOnly)
{
    SimBench bench("MC9S12DT128");
    EXPECT_FALSE(bench.port->nextInputUs()) << "silent before any reset";
    bench.port->setRts(true);
    bench.clock.pause(200);
    EXPECT_FALSE(bench.port->nextInputUs()) << "held in reset while RTS is asserted";
    bench.port->setRts(false);
    std::string greeting;
    while (auto byte = bench.receive())
        greeting += char(*byte);
    EXPECT_EQ(greeting, "paww");

    bench.port->setRts(true);
    bench.port->setRts(false); // a pulse of no length resets nothing
    EXPECT_FALSE(bench.port->nextInputUs());
    EXPECT_EQ(bench.board->trace().notes().back(), "RTS pulse of 0 us too short, no reset");
}

TEST(SimInterface, ProbeAnswersZeroOnlyWithTheDividerThatSuitsTheCrystal)
{
    struct Case {
        int crystalMHz;
        std::optional<std::uint8_t> divider; // none: no 'U' after the reset
        std::uint8_t probe;
    };
    const Case cases[] = {
        {16, 0x00, 0x00}, {16, 0x02, 0xFF}, {16, 0x01, 0xFF}, {8, 0x02, 0x00}, {8, 0x00, 0xFF},
        {8, 0x03, 0xFF},  {4, 0x01, 0x00},  {4, 0x02, 0xFF},  {16, std::nullopt, 0xFF},
    };
    for (const auto& c : cases) {
        SimBench bench("HC912D60x", c.crystalMHz);
        bench.port->setRts(true);
        bench.clock.pause(200);
        bench.port->setRts(false);
        bench.clock.pause(10);
        bench.port->purge();
        if (c.divider)
            bench.send({'U', *c.divider});
        bench.writeByte(0x3000, 0x42);
        const bool works = c.probe == 0x00;
        EXPECT_EQ(bench.readByte(0x000F), c.probe) << c.crystalMHz << " MHz";
        bench.send({'U', SimulatedBoard::dividerFor(c.crystalMHz)});
        EXPECT_EQ(bench.readByte(0x3000), works ? 0x42 : 0x00) << "a write with a wrong divider is lost";
    }
}

TEST(SimInterface, TraceGivesFramesWithTheirPauses)
{
    SimBench bench("MC9S12DBx", 8);
    bench.port->purge();
    bench.reset(0x02);
    bench.readByte(0x000F);
    bench.writeByte(0x0012, 0x21);
    bench.readByte(0x001C);
    const std::vector<std::string> expected{"0 RTS 1", "200 RTS 0", "10 R", "10 U 02", "0 C 00 0F", "0 z 00 12 21",
                                            "10 C 00 1C"};
    EXPECT_EQ(bench.board->trace().framesWithPauses(), expected) << bench.board->trace().dump();
}

TEST(SimInterface, PurgeDropsArrivedBytesButNotThoseOnTheirWay)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    bench.board->memory().plain(0x3000) = 0x11;
    bench.board->memory().plain(0x3001) = 0x22;
    bench.send({'L', 0x30, 0x00});
    bench.clock.advanceUs(300); // the first answer byte is in, the second on its way
    bench.port->purge();
    EXPECT_EQ(bench.port->queryStatus().queued, 0u);
    EXPECT_EQ(bench.receive(), 0x22);
}

TEST(SimInterface, BytesWrittenWhileTheLineIsBusyFollowTheEarlierOnes)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    const std::uint8_t probe[] = {'C', 0x00, 0x0F};
    const auto start = bench.clock.nowUs();
    bench.port->write(probe, 3);
    bench.port->write(probe, 3); // no drain in between
    bench.port->drain();
    EXPECT_EQ(bench.clock.nowUs(), start + 1563); // six bytes: 1562.5 us
    EXPECT_EQ(bench.port->nextInputUs(), start + THREE_BYTES_US + BYTE_US);
    EXPECT_EQ(bench.port->queryStatus().queued, 1u);
    bench.port->purge();
    EXPECT_EQ(bench.port->nextInputUs(), start + 1563 + BYTE_US) << "the second answer starts after its frame";
}

TEST(SimInterface, PurgeAbortsBytesNotYetOnTheLine)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    const std::uint8_t probe[] = {'C', 0x00, 0x0F};
    const auto start = bench.clock.nowUs();
    bench.port->write(probe, 3);
    bench.clock.advanceUs(300); // the second byte is on the line, the third not yet
    bench.port->purge();
    bench.port->drain();
    EXPECT_EQ(bench.clock.nowUs(), start + 521);
    EXPECT_FALSE(bench.port->nextInputUs()) << "the frame never completed";
}

TEST(SimInterface, WaitReadableSleepsUntilTheAnswerOrTheTimeout)
{
    SimBench bench("HC12B");
    bench.resetForCrystal();
    bench.send({'C', 0x00, 0x0F});
    const auto sent = bench.clock.nowUs();
    EXPECT_TRUE(bench.port->waitReadable(300));
    EXPECT_EQ(bench.clock.nowUs(), sent + BYTE_US);
    std::uint8_t byte = 0xEE;
    EXPECT_EQ(bench.port->read(&byte, 1), 1u);
    EXPECT_EQ(byte, 0x00);
    EXPECT_FALSE(bench.port->waitReadable(300));
    EXPECT_EQ(bench.clock.nowUs(), sent + BYTE_US + 300'000);
}

TEST(SimInterface, UnknownModelOrCrystalIsRefused)
{
    VirtualClock clock;
    std::string reason;
    EXPECT_FALSE(openSimulatedPort("Model", 16, clock, reason));
    EXPECT_EQ(reason, toStdString(texts::SIM_UNKNOWN_MODEL) + "\"Model\"");
    EXPECT_FALSE(openSimulatedPort("HC12B", 10, clock, reason));
    EXPECT_EQ(reason, toStdString(texts::PORT_VALUE_BAD_CRYSTAL));
    EXPECT_TRUE(openSimulatedPort("HC(9)12D60", 4, clock, reason));
}

// --- faults ---

// The greeting is answer bytes 0 to 3; the probe's answer is byte 4.
std::string greetingWith(SimFaults faults)
{
    SimBench bench("HC12B", 16, std::move(faults));
    return bench.reset(0x00);
}

TEST(SimFaults, GreetingFaults)
{
    struct Case {
        const char* what;
        SimFaults faults;
        std::string greeting;
    };
    SimFaults wrong, none, lost, changed, silent;
    wrong.greeting = "pawx";
    none.greeting = "";
    lost.lostAnswerBytes = {1};
    changed.changedAnswerBytes = {{3, 'x'}};
    silent.silentAfter = 2;
    const Case cases[] = {
        {"healthy", {}, "paww"},       {"wrong greeting", wrong, "pawx"}, {"no greeting", none, ""},
        {"second byte lost", lost, "pww"}, {"fourth byte changed", changed, "pawx"}, {"silent after 2", silent, "pa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(greetingWith(c.faults), c.greeting) << c.what;
}

TEST(SimFaults, SilentInterfaceStaysSilent)
{
    SimFaults faults;
    faults.silentAfter = 5;
    SimBench bench("HC12B", 16, faults);
    bench.resetForCrystal();
    EXPECT_EQ(bench.readByte(0x000F), 0x00); // byte 4
    EXPECT_EQ(bench.readByte(0x000F), std::nullopt);
    EXPECT_EQ(bench.resetForCrystal(), "");
}

TEST(SimFaults, LineErrorShowsWhenItsByteArrives)
{
    SimFaults faults;
    faults.lineErrors = {{5, LineError::FRAME | LineError::RXPARITY}};
    SimBench bench("HC12B", 16, faults);
    bench.resetForCrystal();
    EXPECT_EQ(bench.readByte(0x000F), 0x00);
    EXPECT_EQ(bench.port->queryStatus().errors, 0u);
    bench.send({'C', 0x00, 0x0F});
    EXPECT_EQ(bench.port->queryStatus().errors, 0u) << "not before the byte";
    ASSERT_TRUE(bench.port->nextInputUs());
    bench.clock.sleepUntilUs(*bench.port->nextInputUs());
    const auto status = bench.port->queryStatus();
    EXPECT_EQ(status.errors, LineError::FRAME | LineError::RXPARITY);
    EXPECT_EQ(status.queued, 1u);
    EXPECT_EQ(bench.port->queryStatus().errors, 0u) << "reading the errors clears them";
}

TEST(SimFaults, UnstableAddressGivesAWrongValueEverySecondRead)
{
    SimFaults faults;
    faults.unstableAddresses = {0x3000};
    SimBench bench("HC12B", 16, faults);
    bench.resetForCrystal();
    bench.board->memory().plain(0x3000) = 0x66;
    EXPECT_EQ(bench.readByte(0x3000), 0x66);
    EXPECT_NE(bench.readByte(0x3000), 0x66);
    EXPECT_EQ(bench.readByte(0x3000), 0x66);
    EXPECT_EQ(bench.readByte(0x3001), 0x00);
}

TEST(SimFaults, RandomFaultsRepeatWithTheSeed)
{
    auto answers = [](std::uint32_t seed) {
        SimFaults faults;
        faults.seed = seed;
        faults.lossProbability = 0.2;
        faults.changeProbability = 0.2;
        SimBench bench("HC12B", 16, faults);
        bench.reset(0x00);
        std::vector<int> got;
        for (int i = 0; i < 40; ++i) {
            const auto answer = bench.readByte(0x000F);
            got.push_back(answer ? int(*answer) : -1);
        }
        return got;
    };
    const auto first = answers(7);
    EXPECT_EQ(first, answers(7));
    EXPECT_NE(first, answers(8));
    EXPECT_NE(std::count(first.begin(), first.end(), -1), 0);
    EXPECT_NE(std::count_if(first.begin(), first.end(), [](int v) { return v > 0; }), 0);
}

} // namespace
