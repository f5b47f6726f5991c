// The byte receiver: time-outs, line errors, the receive store and flushing.
#include <gtest/gtest.h>

#include "LinkFixture.h"
#include "procedures/InterfaceCommands.h"

namespace {

const std::string LOST_EVENT = "lost";
std::string box(Text message) { return "box: " + toStdString(message); }

using Receive = LinkFixture;

TEST_F(Receive, BurstIsDeliveredInOrderOneByteACallWithoutFurtherWaiting)
{
    link.setConnectionState(1);
    port->bytesAt(t0 + 40 * MS, {0x11, 0x22, 0x33});

    EXPECT_EQ(link.receiveByte(), 0x11);
    EXPECT_EQ(elapsedMs(), 40);
    EXPECT_EQ(link.receiveByte(), 0x22);
    EXPECT_EQ(link.receiveByte(), 0x33);
    EXPECT_EQ(elapsedMs(), 40) << "the last two come from the store at once";
    EXPECT_EQ(port->reads, 1u);
    EXPECT_EQ(link.connectionState(), 1);
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(Receive, EachByteIsDeliveredAtTheMomentItArrives)
{
    port->bytesAt(t0 + 5 * MS, {'p', 'a', 'w'}, 260); // 10 bit times at 38400 baud apart
    for (const std::uint64_t arrivalUs : {5000, 5260, 5520}) {
        link.receiveByte();
        EXPECT_EQ(clock.nowUs() - t0, arrivalUs);
    }
}

// Arrival of a single byte relative to the start of the wait, against what the
// receiver gives, the connection state after it and the moment it returns.
struct TimeoutCase {
    const char* what;
    std::optional<std::uint64_t> arrivalMs;
    std::uint8_t byte;
    std::uint8_t expected;
    std::int8_t stateAfter;
    double returnsAtMs;
};

void PrintTo(const TimeoutCase& c, std::ostream* out) { *out << c.what; }

class ReceiveTimeout : public LinkFixture, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(ReceiveTimeout, ZeroByteAndTimeoutDifferOnlyInTheState)
{
    const TimeoutCase& c = GetParam();
    link.setConnectionState(1);
    if (c.arrivalMs)
        port->bytesAt(t0 + *c.arrivalMs * MS, {c.byte});

    EXPECT_EQ(link.receiveByte(), c.expected);
    EXPECT_EQ(link.connectionState(), c.stateAfter);
    EXPECT_EQ(elapsedMs(), c.returnsAtMs);
    EXPECT_EQ(observer.events, (c.stateAfter < 1 ? std::vector{LOST_EVENT} : std::vector<std::string>{}));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReceiveTimeout,
                         ::testing::Values(TimeoutCase{"zero byte in time", 100, 0x00, 0x00, 1, 100},
                                           TimeoutCase{"nothing", std::nullopt, 0, 0x00, -1, 300},
                                           TimeoutCase{"byte at 299 ms", 299, 0x5A, 0x5A, 1, 299},
                                           TimeoutCase{"byte at 300 ms", 300, 0x5A, 0x5A, 1, 300},
                                           TimeoutCase{"byte at 301 ms", 301, 0x5A, 0x00, -1, 300}));

TEST_F(Receive, ByteAfterATimeoutIsReturnedButTheLinkStaysDisconnected)
{
    link.setConnectionState(1);
    port->bytesAt(t0 + 350 * MS, {0x42});
    EXPECT_EQ(link.receiveByte(), 0);
    EXPECT_EQ(link.receiveByte(), 0x42);
    EXPECT_EQ(elapsedMs(), 350);
    EXPECT_EQ(link.connectionState(), -1);
}

TEST_F(Receive, TickCounterWrapDoesNotCutTheWaitShort)
{
    VirtualClock nearWrap(std::uint64_t(0xFFFFFF00) * 1000); // 256 ms before the 32-bit tick wraps
    ScriptedOpener wrapOpener;
    auto owned = std::make_unique<ScriptedPort>(nearWrap);
    ScriptedPort* wrapPort = owned.get();
    wrapOpener.offer("COM1", std::move(owned), "/dev/ttyS0");
    SerialLink wrapLink(nearWrap, wrapOpener, observer);
    wrapLink.openPort("COM1");
    const std::uint64_t start = nearWrap.nowUs();
    wrapPort->bytesAt(start + 290 * MS, {0x77});

    EXPECT_EQ(wrapLink.receiveByte(), 0x77);
    EXPECT_EQ(nearWrap.nowUs() - start, 290 * MS);
}

// Line errors: one box per flag with a message, in the fixed order, then one
// disconnect; flags without a message disconnect silently.
struct LineErrorCase {
    const char* what;
    std::uint32_t flags;
    std::vector<std::string> events;
};

void PrintTo(const LineErrorCase& c, std::ostream* out) { *out << c.what; }

class ReceiveLineError : public LinkFixture, public ::testing::WithParamInterface<LineErrorCase> {};

TEST_P(ReceiveLineError, BoxesThenOneDisconnect)
{
    const LineErrorCase& c = GetParam();
    link.setConnectionState(1);
    port->errorAt(t0 + 120 * MS, c.flags);
    port->bytesAt(t0 + 120 * MS, {0x99});

    EXPECT_EQ(link.receiveByte(), 0);
    EXPECT_EQ(elapsedMs(), 120) << "errors are seen while waiting, not after the time-out";
    EXPECT_EQ(link.connectionState(), -1);
    EXPECT_EQ(observer.lineErrorFlags, std::vector{c.flags}) << "the flags reach the face as the port gave them";
    EXPECT_EQ(observer.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveLineError,
    ::testing::Values(
        LineErrorCase{"framing and parity", LineError::FRAME | LineError::RXPARITY,
                      {box(texts::LINE_FRAMING_ERROR), box(texts::LINE_PARITY_ERROR), LOST_EVENT}},
        LineErrorCase{"overrun alone", LineError::OVERRUN, {LOST_EVENT}},
        LineErrorCase{"break alone", LineError::BREAK, {LOST_EVENT}},
        LineErrorCase{"every flag", 0xFFFFFFFF,
                      {box(texts::LINE_FRAMING_ERROR), box(texts::LINE_IO_ERROR), box(texts::LINE_INPUT_OVERFLOW),
                       box(texts::LINE_PARITY_ERROR), box(texts::LINE_OUTPUT_FULL), LOST_EVENT}},
        LineErrorCase{"adapter pulled out", LineError::IOE, {box(texts::LINE_IO_ERROR), LOST_EVENT}}));

TEST_F(Receive, BytesInTheStoreSurviveALineError)
{
    port->bytesAt(t0 + 10 * MS, {0x01, 0x02});
    port->errorAt(t0 + 20 * MS, LineError::FRAME);
    EXPECT_EQ(link.receiveByte(), 0x01);
    clock.advanceUs(15 * MS);
    EXPECT_EQ(link.receiveByte(), 0x00);
    EXPECT_EQ(link.receiveByte(), 0x02);
    EXPECT_EQ(observer.events, (std::vector{box(texts::LINE_FRAMING_ERROR), LOST_EVENT}));
}

TEST_F(Receive, StoreTakesAtMost1024BytesAndTheRestWaitsInTheDriver)
{
    std::vector<std::uint8_t> sent(3000);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = std::uint8_t(i * 7 + i / 256);
    port->bytesAt(t0 + 10 * MS, sent);

    std::vector<std::uint8_t> received;
    for (std::size_t i = 0; i < sent.size(); ++i)
        received.push_back(link.receiveByte());

    EXPECT_EQ(received, sent);
    EXPECT_EQ(port->largestRead, 1024u);
    EXPECT_EQ(elapsedMs(), 10);
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(Receive, ReadTargetByteSendsTheRequestThenWaitsForTheAnswer)
{
    port->bytesAt(t0 + 3 * MS, {0xC3});
    EXPECT_EQ(readTargetByte(link, 0x0114), 0xC3);
    ASSERT_EQ(port->log.size(), 1u);
    EXPECT_EQ(port->log[0].bytes, (std::vector<std::uint8_t>{'C', 0x01, 0x14}));
    EXPECT_EQ(port->log[0].us, t0);
}

TEST(ReceiveWithoutPort, EveryReceiveTimesOutAndNothingIsSent)
{
    VirtualClock clock;
    ScriptedOpener opener;
    RecordingObserver observer;
    SerialLink link(clock, opener, observer);
    for (const bool chosen : {false, true}) {
        if (chosen) {
            EXPECT_FALSE(link.openPort("COM4").usable);
        }
        link.setConnectionState(1);
        const std::uint64_t start = clock.nowUs();
        link.sendFrame({'R'});
        EXPECT_EQ(readTargetByte(link, 0x000F), 0);
        EXPECT_EQ(clock.nowUs() - start, 300 * MS);
        EXPECT_EQ(link.connectionState(), -1);
        link.flushLine();
        EXPECT_EQ(clock.nowUs() - start, 330 * MS);
    }
}

using Flush = LinkFixture;

TEST_F(Flush, QuietLineTakesOnePassOf30Ms)
{
    link.flushLine();
    const auto purges = port->eventsOf(ScriptedPort::Event::Purge);
    ASSERT_EQ(purges.size(), 1u);
    EXPECT_EQ(purges[0].us - t0, 30 * MS);
}

TEST_F(Flush, KeepsPurgingWhileTheInterfaceStillSends)
{
    // A byte every 10 ms for 100 ms: passes at 30, 60, 90 and 120 ms see input,
    // the pass at 150 ms is the first quiet one.
    for (std::uint64_t ms = 0; ms <= 100; ms += 10)
        port->bytesAt(t0 + ms * MS, {0xEE});
    link.flushLine();

    std::vector<std::uint64_t> purgeMs;
    for (const auto& purge : port->eventsOf(ScriptedPort::Event::Purge))
        purgeMs.push_back((purge.us - t0) / MS);
    EXPECT_EQ(purgeMs, (std::vector<std::uint64_t>{30, 60, 90, 120, 150}));
    link.setConnectionState(1);
    EXPECT_EQ(link.receiveByte(), 0) << "nothing of the flushed input is left";
}

TEST_F(Flush, DropsTheStoreAndSwallowsErrorsWithoutABox)
{
    link.setConnectionState(1);
    port->bytesAt(t0, {0x01, 0x02});
    port->errorAt(t0 + 10 * MS, LineError::FRAME | LineError::OVERRUN);
    EXPECT_EQ(link.receiveByte(), 0x01);
    link.flushLine();
    EXPECT_EQ(link.connectionState(), 1);
    EXPECT_TRUE(observer.events.empty());
    EXPECT_EQ(link.receiveByte(), 0x00) << "0x02 was in the store and is gone";
}

TEST_F(Flush, GivesUpOnADeviceThatNeverFallsSilent)
{
    for (std::uint64_t ms = 0; ms < 5000; ms += 5)
        port->bytesAt(t0 + ms * MS, {0x55});
    link.flushLine();
    EXPECT_LE(elapsedMs(), 1100);
    EXPECT_GE(elapsedMs(), 1000);
}

} // namespace
