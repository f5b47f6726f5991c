// A request whose answer is received next: on the simulated board the link
// does not wait for the frame to leave before it waits for the answer, yet
// the answer and the time-out come exactly when they come after sendFrame.
#include <gtest/gtest.h>

#include <vector>

#include "ScriptedPort.h"
#include "procedures/InterfaceCommands.h"
#include "serial/SerialLink.h"
#include "sim/SimulatedBoard.h"

namespace {

struct Arrival {
    std::uint8_t byte;
    std::uint64_t us; // since the request was written
    std::int8_t state;
    bool operator==(const Arrival&) const = default;
};

// Sends a word request either way on a fresh board and receives two bytes.
std::vector<Arrival> exchange(bool asRequest, SimFaults faults = {})
{
    VirtualClock clock;
    std::string reason;
    const auto board = SimulatedBoard::create("HC912Dx128x", 16, reason, std::move(faults));
    ScriptedOpener opener;
    opener.offer("COM1", board->openPort(clock), "sim");
    RecordingObserver observer;
    SerialLink link(clock, opener, observer);
    link.openPort("COM1");
    link.setConnectionState(1);
    clock.pause(3); // the request does not start on a whole millisecond
    clock.sleepUntilUs(clock.nowUs() + 417);

    const std::uint64_t start = clock.nowUs();
    const auto request = readWordFrame(0x0D00);
    if (asRequest)
        link.sendRequest(request.bytes());
    else
        link.sendFrame(request.bytes());
    std::vector<Arrival> got;
    for (int i = 0; i < 2; ++i) {
        const std::uint8_t byte = link.receiveByte();
        got.push_back({byte, clock.nowUs() - start, link.connectionState()});
    }
    return got;
}

TEST(SerialLinkRequest, AnswerAndTimeOutComeWhenTheyComeAfterAFrameThatWasWaitedFor)
{
    const auto answered = exchange(true);
    EXPECT_EQ(answered, exchange(false));
    // 3 bytes out (782 us), then 2 bytes back, 260.4 us each.
    ASSERT_EQ(answered.size(), 2u);
    EXPECT_EQ(answered[0].us, 782u + 261u);
    EXPECT_EQ(answered[1].us, 782u + 521u);
    EXPECT_EQ(answered[1].state, 1);

    SimFaults silent;
    silent.silentAfter = 0;
    const auto timedOut = exchange(true, silent);
    EXPECT_EQ(timedOut, exchange(false, silent));
    // The 300 ms count from the moment the frame has left, not from the write.
    EXPECT_GE(timedOut[0].us, 782u + 300'000u - 1000u);
    EXPECT_EQ(timedOut[0].state, -1);
}

} // namespace
